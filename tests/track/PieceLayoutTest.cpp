// The layout of the track pieces' control points: every shipped piece kind meets it (centre
// line, exit frame, structure pairs, decor places, and road under all three lanes), and the
// check names the piece and what is wrong with it.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "engine/helpers/VectorHelpers.h"
#include "engine/mesh/MeshContainer.h"
#include "tests/track/TrackFixture.h"
#include "tools/makedata/PieceLayout.h"
#include "world/objects/CollisionQuery.h"
#include "world/objects/ObjectManager.h"
#include "world/objects/SceneObject.h"
#include "world/track/Track.h"
#include "world/track/TrackGeometry.h"
#include "world/track/TrackPaths.h"

namespace {

constexpr float LANE_EDGE = PIECE_LANE_SPACING + 2.5f; // outer lane and half a scooter

std::string PieceName(int kind)
{
    const std::string file = PieceKindFile(kind);
    const std::size_t slash = file.rfind('/');
    return file.substr(slash + 1, file.size() - slash - 1 - 4);
}

PieceControlPoints ControlPointsOf(const CSceneObject& piece)
{
    PieceControlPoints points;
    std::vector<Vec3>* groups[] = {&points.centreLine, &points.frames, &points.decorPlaces};
    for (int group = 0; group < 3; ++group)
        for (const D3DXVECTOR3& p : piece.mesh->controlPoints[group])
            groups[group]->push_back({p.x, p.y, p.z});
    return points;
}

// A straight with the voice cue, laid out as the builder makes it: seven segments of 20.
PieceControlPoints GoodStraight()
{
    PieceControlPoints points;
    for (int i = 0; i <= 7; ++i)
        points.centreLine.push_back({0, 0, 20.0f * i});
    points.frames = {{0, 0, 140}, {10, 0, 140}, {0, -10, 140}, {-45, -4, 70}, {-35, -4, 70}};
    points.decorPlaces = {{0, 0, 70}};
    return points;
}

using PieceLayoutTest = TrackTest;

TEST_F(PieceLayoutTest, EveryShippedPieceKindMeetsTheLayout)
{
    ASSERT_EQ(track.pieceTemplateCount, unsigned(TRACK_PIECE_KINDS));
    for (int kind = 0; kind < TRACK_PIECE_KINDS; ++kind) {
        const CSceneObject& piece = *track.pieceTemplates[kind];
        ASSERT_NE(piece.mesh, nullptr) << PieceKindFile(kind);
        const PieceControlPoints points = ControlPointsOf(piece);
        for (const std::string& fault : PieceLayoutFaults(PieceName(kind), points))
            ADD_FAILURE() << "kind " << kind << " (" << PieceName(kind) << "): " << fault;
        EXPECT_EQ(piece.mesh->controlPoints[PIECE_CENTRE_LINE].size(), piece.mesh->controlPointCount[PIECE_CENTRE_LINE]);
    }
    // The respawn of kinds 5 and 12 looks for a centre-line point of their own past point 6.
    for (const int kind : {5, 12}) {
        EXPECT_EQ(MinimumCentreLinePoints(PieceName(kind)), PIECE_RESPAWN_POINT + 2);
        EXPECT_GE(PointCount(*track.pieceTemplates[kind], PIECE_CENTRE_LINE), PIECE_RESPAWN_POINT + 2);
    }
}

TEST_F(PieceLayoutTest, EveryPieceHasRoadUnderItsThreeLanes)
{
    Place(PieceKindFile(0), D3DXVECTOR3(0, -5000, 0)); // the first object is never probed
    for (int kind = 0; kind < TRACK_PIECE_KINDS; ++kind) {
        CSceneObject* piece = Place(PieceKindFile(kind), D3DXVECTOR3(0, 0, 0));
        const int count = PointCount(*piece, PIECE_CENTRE_LINE);
        for (int n = 0; n + 1 < count; ++n) {
            const D3DXVECTOR3 a = PointOf(*piece, PIECE_CENTRE_LINE, n), b = PointOf(*piece, PIECE_CENTRE_LINE, n + 1);
            D3DXVECTOR3 along;
            Vec3Normalize(along, b - a);
            if (std::fabs(along.y) > 0.5f)
                continue; // up and over a loop: no lanes across a wall
            D3DXMATRIX frame;
            BuildLookAtMatrix(frame, a, b, D3DXVECTOR3(0, 1, 0));
            const D3DXVECTOR3 right = Row(frame, 0);
            for (const float across : {-LANE_EDGE, 0.0f, LANE_EDGE}) {
                const D3DXVECTOR3 lane = a + 0.4f * (b - a) + across * right; // off the triangles' shared edges
                D3DXVECTOR3 hit, normal;
                EXPECT_EQ(collisionQuery.NearestSegmentHitType8(lane + D3DXVECTOR3(0, 10, 0), lane - D3DXVECTOR3(0, 10, 0),
                                                                20.0f, &hit, &normal),
                          1)
                    << PieceName(kind) << " segment " << n << " across " << across;
            }
        }
        objectManager.RemoveObject(piece);
    }
}

TEST(PieceLayoutCheck, NamesThePieceAndWhatIsWrong)
{
    EXPECT_TRUE(PieceLayoutFaults("AH_020_1", GoodStraight()).empty());
    EXPECT_NO_THROW(RequirePieceLayout("AH_020_1", GoodStraight()));

    struct Case {
        const char* name;
        void (*breakIt)(PieceControlPoints&);
        const char* fault;
    };
    const Case cases[] = {
        {"six points on the respawn straight", [](PieceControlPoints& p) { p.centreLine.resize(6); }, "centre-line points"},
        {"a gap in the centre line", [](PieceControlPoints& p) { p.centreLine[3].z += 9; }, "apart"},
        {"a kink in the centre line", [](PieceControlPoints& p) { p.centreLine[6].x += 8; }, "sharper than"},
        {"not from the origin", [](PieceControlPoints& p) { for (Vec3& q : p.centreLine) q.x += 1; }, "origin"},
        {"exit off the end", [](PieceControlPoints& p) { p.frames[0].z -= 1; }, "exit frame"},
        {"a tilted exit", [](PieceControlPoints& p) { p.frames[1].y += 2; }, "level"},
        {"a structure without its facing point", [](PieceControlPoints& p) { p.frames.pop_back(); }, "pairs"},
        {"no exit frame", [](PieceControlPoints& p) { p.frames.resize(2); }, "exit frame needs"},
        {"decor at the end", [](PieceControlPoints& p) { p.decorPlaces[0] = {0, 0, 139}; }, "last centre-line point"},
        {"decor beside the road", [](PieceControlPoints& p) { p.decorPlaces[0].x = 4; }, "lanes leave the road"},
        {"decor just past the road's room", [](PieceControlPoints& p) { p.decorPlaces[0].x = -2.6f; },
         "lanes leave the road"},
        {"a step just too long", [](PieceControlPoints& p) { for (std::size_t i = 5; i < 8; ++i) p.centreLine[i].z += 5.1f; },
         "apart"},
        {"a step just too short", [](PieceControlPoints& p) { p.centreLine[4].z -= 5.1f; }, "apart"},
        {"heading off sideways", [](PieceControlPoints& p) { for (Vec3& q : p.centreLine) q = {q.z, 0, 0}; },
         "ahead along +z"},
        {"an exit frame along the road", [](PieceControlPoints& p) { p.frames[1] = {0, 0, 150}; }, "square"},
        {"an exit frame upside down", [](PieceControlPoints& p) { p.frames[2].y = 10; }, "level"},
        {"decor on a climb", [](PieceControlPoints& p) { p.centreLine[4].y = 14; p.centreLine[3].y = 0.5f; },
         "too steep"},
    };
    for (const Case& c : cases) {
        PieceControlPoints points = GoodStraight();
        c.breakIt(points);
        const std::vector<std::string> faults = PieceLayoutFaults("AH_020_1", points);
        ASSERT_FALSE(faults.empty()) << c.name;
        EXPECT_NE(faults.front().find(c.fault), std::string::npos) << c.name << ": " << faults.front();
        try {
            RequirePieceLayout("AH_020_1", points);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()).rfind("track piece AH_020_1: ", 0), 0u) << error.what();
        }
    }
    // Just inside each limit the layout holds.
    PieceControlPoints edges = GoodStraight();
    edges.decorPlaces[0].x = 2.4f;
    for (std::size_t i = 4; i < 8; ++i)
        edges.centreLine[i].z += 4.9f;
    for (Vec3& frame : edges.frames)
        frame.z += 4.9f;
    edges.decorPlaces.push_back({0, 0, 30});
    EXPECT_TRUE(PieceLayoutFaults("AH_020_1", edges).empty()) << PieceLayoutFaults("AH_020_1", edges).front();
    // Other pieces need only a segment of their own.
    PieceControlPoints shortStraight = GoodStraight();
    shortStraight.centreLine.resize(6);
    shortStraight.frames = {{0, 0, 100}, {10, 0, 100}, {0, -10, 100}};
    shortStraight.decorPlaces = {{0, 0, 50}};
    EXPECT_TRUE(PieceLayoutFaults("AH_000_1", shortStraight).empty());
    EXPECT_FALSE(PieceLayoutFaults("AH_020_1", shortStraight).empty());
}

} // namespace
