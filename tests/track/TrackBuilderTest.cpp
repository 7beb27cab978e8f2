// The random track builder on the generated pieces: repeatable seeds, a continuous centre line
// clear of the start area, the kinds each track type draws from, the failure at the start
// piece, and what the builder sets along the course.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "tests/track/TrackFixture.h"
#include "tools/makedata/MeshWriter.h"
#include "tools/makedata/ObjectDescriptionWriter.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"
#include "world/track/TrackGeometry.h"

namespace {

struct BuildCase {
    int seed, type, length;
};

const BuildCase CASES[] = {{1, 0, 1}, {7, 0, 2}, {3, 1, 1}, {11, 1, 2}, {5, 2, 1}, {9, 2, 2}, {4, 2, 3}};

std::vector<int> Kinds()
{
    return std::vector<int>(track.pieceKinds, track.pieceKinds + track.pieceCount);
}

using TrackBuilderTest = TrackTest;

TEST_F(TrackBuilderTest, SameSeedBuildsTheSameTrack)
{
    for (const BuildCase& c : CASES) {
        ASSERT_EQ(track.BuildTrack(c.seed, c.type, c.length), 1);
        const std::vector<int> kinds = Kinds();
        const std::vector<D3DXVECTOR3> points(track.segmentPoints, track.segmentPoints + track.segmentCount);
        const std::uint32_t structures = track.structureCount;
        const int objects = objectManager.count;
        ASSERT_EQ(track.BuildTrack(c.seed, c.type, c.length), 1);
        EXPECT_EQ(Kinds(), kinds) << "seed " << c.seed;
        ASSERT_EQ(track.segmentCount, points.size());
        for (std::size_t j = 0; j < points.size(); ++j)
            EXPECT_LT(Vec3Distance(track.segmentPoints[j], points[j]), 1e-3f);
        EXPECT_EQ(track.structureCount, structures);
        EXPECT_EQ(objectManager.count, objects) << "a rebuild leaves nothing of the previous track behind";
    }
    track.BuildTrack(1, 2, 2);
    const std::vector<int> first = Kinds();
    track.BuildTrack(2, 2, 2);
    EXPECT_NE(Kinds(), first);
}

TEST_F(TrackBuilderTest, CentreLineIsContinuousAndClearOfTheStartArea)
{
    for (const BuildCase& c : CASES) {
        ASSERT_EQ(track.BuildTrack(c.seed, c.type, c.length), 1);
        const std::uint32_t n = track.pieceCount;
        EXPECT_GE(n, static_cast<std::uint32_t>(12 * c.length + 12));
        EXPECT_LE(n, static_cast<std::uint32_t>(12 * c.length + 17));
        EXPECT_EQ(track.pieceKinds[n - 1], 0) << "the course ends with the finish straight";
        for (std::uint32_t i = 1; i < n; ++i) {
            const CPlatform& previous = *track.pieces[i - 1];
            const CPlatform& piece = *track.pieces[i];
            const D3DXVECTOR3 exit = PointOf(previous, PIECE_CENTRE_LINE, PointCount(previous, PIECE_CENTRE_LINE) - 1);
            EXPECT_LT(Vec3Distance(exit, PointOf(piece, PIECE_CENTRE_LINE, 0)), 0.01f) << "piece " << i;
            // The road goes on level and in the same direction across the joint.
            EXPECT_NEAR(piece.world.m[1][1], 1.0f, 1e-3f);
            for (int p = 0; p < PointCount(piece, PIECE_CENTRE_LINE); ++p) {
                const D3DXVECTOR3 q = PointOf(piece, PIECE_CENTRE_LINE, p);
                EXPECT_GE(Vec3Distance(q, D3DXVECTOR3(0, 0, -15)), 45.0f);
                EXPECT_GE(Vec3Distance(q, D3DXVECTOR3(0, 0, 100)), 45.0f);
            }
        }
        for (std::uint32_t j = 1; j < track.segmentCount; ++j) {
            const float step = Vec3Distance(track.segmentPoints[j - 1], track.segmentPoints[j]);
            EXPECT_GT(step, 12.0f);
            EXPECT_LT(step, 25.0f);
        }
        EXPECT_FLOAT_EQ(track.trackLength, 20.0f * static_cast<float>(track.segmentCount - 11));
        EXPECT_LE(track.segmentCount, static_cast<std::uint32_t>(TRACK_MAX_SEGMENTS));
        EXPECT_LE(track.structureCount, static_cast<std::uint32_t>(TRACK_MAX_STRUCTURES));
    }
}

TEST_F(TrackBuilderTest, TrackTypeChoosesTheKinds)
{
    std::set<int> plain, all;
    for (int seed = 1; seed <= 8; ++seed) {
        ASSERT_EQ(track.BuildTrack(seed, 0, 2), 1);
        plain.insert(track.pieceKinds, track.pieceKinds + track.pieceCount);
        ASSERT_EQ(track.BuildTrack(seed, 2, 2), 1);
        all.insert(track.pieceKinds, track.pieceKinds + track.pieceCount);
    }
    EXPECT_LE(*plain.rbegin(), 4);
    EXPECT_GE(*all.rbegin(), TRACK_LOOP_KIND) << "type 2 places loops";
}

TEST_F(TrackBuilderTest, StartStructuresAndDecorsStandOnTheCourse)
{
    ASSERT_EQ(track.BuildTrack(9, 2, 2), 1);
    ASSERT_GE(track.structureCount, 4u);
    EXPECT_LT(Vec3Distance(Row(track.structures[0]->world, 3), D3DXVECTOR3(0, 0, 0)), 1e-4f);
    EXPECT_EQ(track.startLights, track.structures[2]);
    EXPECT_EQ(track.finishLights, track.structures[3]);
    int decors = 0, hints = 0;
    for (std::uint32_t i = 0; i < track.pieceCount; ++i) {
        const CPlatform& piece = *track.pieces[i];
        for (int c = 0; c < piece.childCount; ++c) {
            const CSceneObject& decor = *piece.children[c];
            EXPECT_EQ(decor.objectType, GTYPE_DECORS);
            const D3DXVECTOR3 at = Row(decor.world, 3);
            const int n = track.NearestPiecePoint(&piece, at);
            EXPECT_LT(Vec3Distance(PointOf(piece, PIECE_CENTRE_LINE, n), at), 30.0f);
            ++decors;
        }
    }
    for (std::uint32_t j = 0; j < track.segmentCount; ++j) {
        EXPECT_GE(track.laneHints[j], -1);
        EXPECT_LE(track.laneHints[j], 2);
        hints += track.laneHints[j] != -1;
    }
    EXPECT_GT(decors, 0);
    EXPECT_GT(hints, 0);
}

TEST_F(TrackBuilderTest, ClearTakesPiecesStructuresAndDecorsOut)
{
    ASSERT_EQ(track.BuildTrack(9, 2, 2), 1);
    track.Clear();
    EXPECT_EQ(objectManager.count, 0);
    EXPECT_EQ(track.segmentCount, 0u);
    EXPECT_EQ(track.pieceCount, 0u);
}

// A piece whose centre line runs back 60 units: attached after the start straight (exit at
// z = 160) it reaches the start area at z = 100.
void WriteReturningPiece(const char* description)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, MakeBox({0, -1, -30}, {10, 1, 30}));
    for (const float z : {0.0f, -30.0f, -60.0f})
        writer.AddControlPoint(0, {0, 0, z});
    for (const Vec3 point : {Vec3 {0, 0, -60}, Vec3 {-10, 0, -60}, Vec3 {0, -10, -60}})
        writer.AddControlPoint(1, point);
    const std::vector<std::uint8_t> mesh = writer.Encode();
    std::ofstream("Returning.msh", std::ios::binary)
        .write(reinterpret_cast<const char*>(mesh.data()), static_cast<std::streamsize>(mesh.size()));
    ObjectDescriptionSpec spec;
    spec.objectType = "GTYPE_PLATFORM";
    spec.mesh = "Returning.msh";
    spec.tail = {{"Decors:", "DECORS_TYPE_NONE"}};
    std::ofstream(description, std::ios::binary) << WriteObjectDescription(spec).Text();
}

TEST_F(TrackBuilderTest, NoPieceFittingAfterTheStartFailsTheBuild)
{
    WriteReturningPiece("Returning.obj");
    CSceneObject* saved[5];
    for (int kind = 0; kind < 5; ++kind) {
        saved[kind] = track.pieceTemplates[kind];
        track.pieceTemplates[kind] = new CSceneObject();
        track.pieceTemplates[kind]->Load("Returning.obj", -1);
    }
    testing::internal::CaptureStderr();
    const int built = track.BuildTrack(3, 0, 1);
    const std::string message = testing::internal::GetCapturedStderr();
    for (int kind = 0; kind < 5; ++kind) {
        CSceneObject::Destroy(track.pieceTemplates[kind]);
        track.pieceTemplates[kind] = saved[kind];
    }
    EXPECT_EQ(built, 0);
    EXPECT_NE(message.find("BuildTrack() error!"), std::string::npos);
    EXPECT_NE(message.find("Can't get next platform type!"), std::string::npos);
    EXPECT_EQ(track.pieceCount, 0u);
    EXPECT_EQ(track.segmentCount, 0u);
    EXPECT_EQ(objectManager.FindObject(GTYPE_PLATFORM), nullptr);
}

TEST_F(TrackBuilderTest, InfoScreensAndTheirRandomPick)
{
    EXPECT_EQ(track.infoScreenCount, 4u);
    const int page = track.RandomInfoScreen();
    EXPECT_NE(std::find(track.infoScreens, track.infoScreens + 4, page), track.infoScreens + 4);
}

} // namespace
