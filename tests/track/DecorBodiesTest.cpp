// A track piece's decors: shown within 200 of the eye, and simulated only within 100 of it while
// the player's scooter is at most one piece away; a piece left behind stops updating.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "tests/track/TrackFixture.h"
#include "world/objects/ObjectManager.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr const char* BOX = "Data/Static/Decors/Boxes/Main01.obj";
constexpr int PIECES = 5;
constexpr int DECOR_PIECE = 2;

// Five pieces of one centre-line segment each; a box stands on the middle one.
class DecorBodiesTest : public TrackTest {
protected:
    void SetUp() override
    {
        TrackTest::SetUp();
        for (int i = 0; i < PIECES; ++i) {
            track.pieces[i] = &pieces[i];
            track.segmentOwners[i] = &pieces[i];
        }
        track.pieceCount = PIECES;
        track.segmentCount = PIECES;
        box = Place(BOX, D3DXVECTOR3(0, 2, 50));
        pieces[DECOR_PIECE].AddChild(box);
        playerVehicle = &player;
    }
    void TearDown() override
    {
        playerVehicle = nullptr;
        TrackTest::TearDown();
    }

    // One piece update with the player's scooter on piece playerPiece and the eye at distance.
    void UpdateDecorPiece(int playerPiece, float distance)
    {
        player.segment = playerPiece;
        pieces[DECOR_PIECE].cameraDistance = distance;
        pieces[DECOR_PIECE].Update();
    }

    CPlatform pieces[PIECES];
    CSceneObject* box = nullptr;
    CVehicle player;
};

TEST_F(DecorBodiesTest, BodiesNearThePlayerAndTheEyeChildrenNearTheEye)
{
    struct Case {
        int playerPiece;
        float distance;
        bool simulated, shown;
    };
    const Case cases[] = {
        {2, 50.0f, true, true},    {3, 50.0f, true, true},    {1, 50.0f, true, true},
        {4, 50.0f, false, true},   {0, 50.0f, false, true},   {2, 100.0f, true, true},
        {2, 100.5f, false, true},  {2, 199.5f, false, true},  {2, 200.0f, false, false},
    };
    for (const Case& c : cases) {
        // From bodies out and children hidden, and from bodies in and children shown.
        for (bool startIn : {false, true}) {
            pieces[DECOR_PIECE].Reset();
            if (startIn)
                UpdateDecorPiece(DECOR_PIECE, 10.0f);
            UpdateDecorPiece(c.playerPiece, c.distance);
            const char* start = startIn ? "from in" : "from out";
            EXPECT_EQ(box->body->isInWorld(), c.simulated) << c.playerPiece << " at " << c.distance << " " << start;
            EXPECT_EQ(box->enabled, c.shown ? 1 : 0) << c.playerPiece << " at " << c.distance << " " << start;
        }
    }
}

// A piece without decors after a restart: two pieces behind the player it stops for good; one
// behind, or with the player two pieces behind it, it goes on.
TEST_F(DecorBodiesTest, APieceTwoBehindThePlayerStopsUntilTheRestart)
{
    struct Case {
        int barePiece, playerPiece;
        int active;
    };
    const Case cases[] = {{1, 3, 0}, {1, 2, 1}, {3, 1, 1}};
    for (const Case& c : cases) {
        CPlatform& bare = pieces[c.barePiece];
        bare.Reset();
        player.segment = c.playerPiece;
        bare.cameraDistance = 50.0f;
        bare.Update();
        EXPECT_EQ(bare.active, c.active) << "piece " << c.barePiece << ", player on piece " << c.playerPiece;
    }
}

} // namespace
