#pragma once
// A course of segment points on a straight line along +z, 20 apart, with no pieces, and the
// race globals put back to a quiet state around each test.
#include <gtest/gtest.h>

#include "platform/gfxx/D3DXMath.h"

class StraightTrackTest : public testing::Test {
protected:
    static constexpr unsigned SEGMENTS = 40;
    static constexpr float SPACING = 20.0f;

    void SetUp() override;
    void TearDown() override;
    // Point i of the course.
    static D3DXVECTOR3 Point(int i) { return {0.0f, 0.0f, SPACING * float(i)}; }
    // Advances the game clock by one step of dt seconds.
    static void Step(float dt);
};
