#pragma once
// The track pieces, track objects and scooters generated into a scratch folder once per test
// process and read as loose files on the shared test device, with the physics world, the
// object manager and the track's templates set up; each test starts from an empty scene and a
// fixed game clock that Step() advances.
#include <gtest/gtest.h>

#include "platform/gfxx/D3DXMath.h"

class CSceneObject;
class CVehicle;

class RaceDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A track piece or object placed at position facing +z with its static body in the world.
    static CSceneObject* PlacePiece(const char* file, const D3DXVECTOR3& position);
    // The first scooter at position facing +z, driven by the computer.
    static CVehicle* PlaceScooter(const D3DXVECTOR3& position);
    // Advances the game clock by one frame of dt seconds.
    static void Step(float dt);
    // The built course's grid filled with racers, all racing with the computer driving, the
    // player's scooter too.
    static void StartComputerRace(int racers);
    // One frame of dt as the world runs a race, the camera behind the player's scooter.
    static void RaceFrameBehindPlayer(float dt);
    // How far to the right of the built course's centre line at the segment the position lies.
    static float AcrossCentreLine(const D3DXVECTOR3& position, int segment);
};
