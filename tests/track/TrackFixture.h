#pragma once
// The race world's track data (pieces, structures, decors) generated into a scratch folder,
// read as loose files on the shared test device, with the physics world and the track's
// templates set up once per test process.
#include <gtest/gtest.h>

#include "platform/gfxx/D3DXMath.h"

class CSceneObject;

class TrackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A scene object placed at position facing +z, added to the object manager.
    static CSceneObject* Place(const char* file, const D3DXVECTOR3& position);
};
