// The mesh container on a real device with loose files: sharing, bounds, frames, layouts,
// release and its log, collision data, shadow preparation and physics shapes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/files/FileSystem.h"
#include "engine/mesh/MeshContainer.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "tests/mesh/RendererDeviceSuite.h"
#include "tests/support/ScratchFolder.h"
#include "tools/makedata/MeshWriter.h"

namespace {

using Record = CMeshContainer::MeshRecord;

class MeshContainerTest : public RendererDeviceSuite {
protected:
    void SetUp() override
    {
        GameSettings[SLOT_DEBUG_LOG] = 1;
        DebugOut(nullptr);
        FileManager = 0;
        fileSystem.Init();
    }
    void TearDown() override
    {
        meshContainer.Release();
        fileSystem.Release();
        GameSettings[SLOT_DEBUG_LOG] = 0;
    }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const { scratch.WriteBytes(name, bytes); }
    Record* Load(const char* name, int key = 0) { return meshContainer.Load(name, key, D3DXMESH_MANAGED); }

    ScratchFolder scratch;
};

// A flat quad in the x-z plane facing up, u along x and v along z.
Geometry FloorQuad(float y)
{
    Geometry quad;
    const auto a = quad.AddVertex({0, y, 0}, {0, 1, 0}, 0, 0);
    const auto b = quad.AddVertex({1, y, 0}, {0, 1, 0}, 1, 0);
    const auto c = quad.AddVertex({0, y, 1}, {0, 1, 0}, 0, 1);
    const auto d = quad.AddVertex({1, y, 1}, {0, 1, 0}, 1, 1);
    quad.AddTriangle(a, b, c);
    quad.AddTriangle(b, d, c);
    return quad;
}

template <class T>
std::vector<T> LockedCopy(ID3DXMesh* mesh, bool indices)
{
    void* data = nullptr;
    const std::size_t bytes = indices ? mesh->GetNumFaces() * 6u : mesh->GetNumVertices() * mesh->GetNumBytesPerVertex();
    indices ? mesh->LockIndexBuffer(D3DLOCK_READONLY, &data) : mesh->LockVertexBuffer(D3DLOCK_READONLY, &data);
    std::vector<T> copy(bytes / sizeof(T));
    std::memcpy(copy.data(), data, bytes);
    indices ? mesh->UnlockIndexBuffer() : mesh->UnlockVertexBuffer();
    return copy;
}

std::string ReadLog()
{
    std::ifstream file("debug.txt");
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

TEST_F(MeshContainerTest, SharesByNameAndKey)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, MakeBox({}, {1, 1, 1}));
    Write("shared.msh", writer.Encode());
    Record* first = Load("shared.msh");
    ASSERT_NE(nullptr, first);
    std::filesystem::remove(scratch.path() / "shared.msh"); // the second load must not read
    EXPECT_EQ(first, Load("shared.msh"));
    EXPECT_EQ(2, first->referenceCount);
    EXPECT_EQ(nullptr, Load("Shared.msh")) << "names are case-sensitive";
    Write("shared.msh", writer.Encode());
    Record* other = Load("shared.msh", 5);
    ASSERT_NE(nullptr, other);
    EXPECT_NE(first, other);
    EXPECT_EQ(first->id + 2, other->id); // the failed "Shared.msh" used an id too
    EXPECT_EQ(0x140312u, other->fvf[0]);
}

TEST_F(MeshContainerTest, RecordBoundsComeFromTheFirstGroupWithFrames)
{
    MeshWriter writer;
    writer.AddFrame(4, MakeBox({1, 2, 3}, {1, 2, 4}));
    writer.AddFrame(6, MakeBox({}, {9, 9, 9}));
    Write("group4.msh", writer.Encode());
    Record* record = Load("group4.msh");
    ASSERT_NE(nullptr, record);
    EXPECT_FLOAT_EQ(0.0f, record->box.minimum.x);
    EXPECT_FLOAT_EQ(7.0f, record->box.maximum.z);
    EXPECT_FLOAT_EQ(8.0f, record->size.z);
    EXPECT_FLOAT_EQ(2.0f, record->centre.y);
    EXPECT_NEAR(std::sqrt(21.0f), record->radius, 1e-5f);
    EXPECT_FLOAT_EQ(18.0f, record->sizes[6][0].x);
}

TEST_F(MeshContainerTest, FramesShareOneTriangleList)
{
    MeshWriter writer;
    Geometry frame = MakeBox({}, {1, 1, 1});
    for (int i = 0; i < 3; ++i) {
        writer.AddFrame(GROUP_BODY, frame);
        frame.Translate({0, 10, 0});
    }
    writer.AddControlPoint(GROUP_BODY, {1, 2, 3});
    Write("frames.msh", writer.Encode());
    Record* record = Load("frames.msh");
    ASSERT_NE(nullptr, record);
    ASSERT_EQ(3u, record->frameCount[0]);
    ASSERT_EQ(3u, record->meshes[0].size());
    const float firstY = LockedCopy<MeshVertex>(record->meshes[0][0].get(), false)[0].position[1];
    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(writer.Mesh().groups[0].indices, LockedCopy<std::uint16_t>(record->meshes[0][f].get(), true));
        EXPECT_FLOAT_EQ(firstY + 10.0f * f, LockedCopy<MeshVertex>(record->meshes[0][f].get(), false)[0].position[1]);
        EXPECT_FLOAT_EQ(-1.0f + 10.0f * f, record->boxes[0][f].minimum.y);
    }
    ASSERT_EQ(1u, record->controlPointCount[0]);
    EXPECT_FLOAT_EQ(3.0f, record->controlPoints[0][0].z);
}

TEST_F(MeshContainerTest, GroupsGetTheirLayoutsAndPools)
{
    MeshWriter writer;
    const Geometry quad = FloorQuad(2);
    for (const int group : {0, 1, 3, 5, 8})
        writer.AddFrame(group, quad);
    Write("layouts.msh", writer.Encode());
    Record* record = Load("layouts.msh", 5);
    ASSERT_NE(nullptr, record);
    struct Case {
        int group;
        DWORD fvf, stride, options;
    };
    const Case cases[] = {
        {0, 0x140312, 56, D3DXMESH_MANAGED}, {1, 0x112, 32, D3DXMESH_SYSTEMMEM}, {3, 0x40202, 32, D3DXMESH_MANAGED},
        {5, 0x112, 32, D3DXMESH_MANAGED},    {8, 0x112, 32, D3DXMESH_MANAGED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        ID3DXMesh* mesh = record->meshes[c.group][0].get();
        EXPECT_EQ(c.fvf, record->fvf[c.group]);
        EXPECT_EQ(c.fvf, mesh->GetFVF());
        EXPECT_EQ(c.stride, mesh->GetNumBytesPerVertex());
        EXPECT_EQ(c.options, mesh->GetOptions());
    }
    // Vertex 3 is (1, 2, 1) with uv (1, 1).
    const auto floats = [&](int group) { return LockedCopy<float>(record->meshes[group][0].get(), false); };
    const std::vector<float> layout2 = floats(3);
    EXPECT_EQ((std::vector<float> {1, 2, 1, 1, 1, 0, 0, 0}), std::vector<float>(layout2.begin() + 24, layout2.begin() + 32));
    const std::vector<float> layout3 = floats(5);
    EXPECT_EQ((std::vector<float> {1, 2, 1, 0, 1, 0, 0, 0}), std::vector<float>(layout3.begin() + 24, layout3.begin() + 32));
    // Layout 5: tangent along u (+x), binormal along v (+z).
    const std::vector<float> layout5 = floats(0);
    const std::vector<float> vertex3(layout5.begin() + 3 * 14, layout5.begin() + 4 * 14);
    const float expected[14] = {1, 2, 1, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 14; ++i)
        EXPECT_NEAR(expected[i], vertex3[i], 1e-5f) << i;
}

TEST_F(MeshContainerTest, ReleaseCountsReferencesAndLogsLostMeshes)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, MakeBox({}, {1, 1, 1}));
    Write("a.msh", writer.Encode());
    Write("b.msh", writer.Encode());
    Record* a = Load("a.msh");
    Load("a.msh");
    Record* b = Load("b.msh");
    Load("b.msh");
    meshContainer.ReleaseMesh(a);
    EXPECT_EQ(a, meshContainer.head);
    meshContainer.ReleaseMesh(a);
    EXPECT_EQ(b, meshContainer.head);
    EXPECT_EQ(nullptr, b->next);
    meshContainer.ReleaseMesh(nullptr);
    const int id = b->id;
    meshContainer.Release();
    EXPECT_EQ(nullptr, meshContainer.head);
    EXPECT_EQ("\tCMeshContainer::Release() start...\n\t\tMesh lost! (ID: " + std::to_string(id)
                  + "; REF: 2; Name: b.msh\n\tCMeshContainer::Release() done!\n",
              ReadLog());
}

TEST_F(MeshContainerTest, MissingOrDamagedFilesAreRefusedWithTheErrorBox)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_COLLISION, MakeBox({}, {1, 1, 1}));
    std::vector<std::uint8_t> bytes = writer.Encode();
    bytes.resize(bytes.size() - 1);
    Write("short.msh", bytes);
    bytes = writer.Encode();
    bytes[192 + 40 + 24 * 32] = 24; // first index = vertex count
    Write("index.msh", bytes);
    struct Case {
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {"missing.msh", "Mesh error!: Open mesh file 'missing.msh' error!\n"},
        {"short.msh", "Mesh error!: Mesh file 'short.msh' is damaged!\n"},
        {"index.msh", "Mesh error!: Mesh file 'index.msh' is damaged!\n"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(nullptr, Load(c.name)) << c.name;
        EXPECT_EQ(c.message, testing::internal::GetCapturedStderr());
        // The empty record stays listed and is shared quietly.
        testing::internal::CaptureStderr();
        Record* again = Load(c.name);
        EXPECT_EQ("", testing::internal::GetCapturedStderr());
        ASSERT_NE(nullptr, again);
        EXPECT_EQ(2, again->referenceCount);
        for (const std::uint32_t frames : again->frameCount)
            EXPECT_EQ(0u, frames);
    }
}

TEST_F(MeshContainerTest, CollisionModelsAndFaceNormalsFollowFileOrder)
{
    MeshWriter writer;
    const Geometry box = MakeBox({0, 5, 0}, {1, 1, 1});
    writer.AddFrame(GROUP_COLLISION, box);
    writer.AddFrame(GROUP_COLLISION, box);
    writer.AddFrame(GROUP_GROUND_COLLISION, FloorQuad(0));
    Write("collide.msh", writer.Encode());
    Record* record = Load("collide.msh");
    ASSERT_NE(nullptr, record);
    ASSERT_EQ(2u, record->collisionModels.size());
    ASSERT_EQ(2u, record->collisionFaceNormals.size());
    ASSERT_EQ(12u, record->collisionFaceNormals[0].size());
    for (std::size_t t = 0; t < 12; ++t) {
        const MeshVertex& a = box.vertices[box.indices[3 * t]];
        const D3DXVECTOR3 n = record->collisionFaceNormals[0][t];
        EXPECT_NEAR(1.0f, D3DXVec3Length(&n), 1e-5f);
        EXPECT_FLOAT_EQ(a.normal[0], n.x);
        EXPECT_FLOAT_EQ(a.normal[1], n.y);
        EXPECT_FLOAT_EQ(a.normal[2], n.z);
    }
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    record->collisionModels[1]->SetTransform(identity);
    const float origin[3] = {0, 10, 0}, down[3] = {0, -1, 0};
    ASSERT_TRUE(record->collisionModels[1]->TestRay(origin, down, true, 0, 3.4e38f));
    int hit = -1, unused = -1;
    record->collisionModels[1]->GetHitTriangleIndices(&hit, &unused);
    float point[3];
    record->collisionModels[1]->GetHitPoint(point, true);
    EXPECT_FLOAT_EQ(6.0f, point[1]) << hit;
    EXPECT_FLOAT_EQ(1.0f, record->collisionFaceNormals[1][hit].y);

    ASSERT_NE(nullptr, record->secondCollisionModel);
    ASSERT_EQ(2u, record->secondCollisionFaceNormals.size());
    EXPECT_FLOAT_EQ(1.0f, record->secondCollisionFaceNormals[0].y);

    // The physics triangle mesh takes the same triangles in reversed order.
    record->BuildTriangleMeshShape();
    ASSERT_NE(nullptr, record->triangleMeshShape);
    const std::vector<int>& reversed = record->triangleMeshShape->Indices();
    ASSERT_EQ(box.indices.size(), reversed.size());
    for (std::size_t t = 0; t < box.indices.size(); t += 3) {
        EXPECT_EQ(box.indices[t], reversed[t + 2]);
        EXPECT_EQ(box.indices[t + 1], reversed[t + 1]);
        EXPECT_EQ(box.indices[t + 2], reversed[t]);
    }
    EXPECT_FLOAT_EQ(MESH_SHAPE_MARGIN, record->triangleMeshShape->Shape().getMargin());
    btVector3 minimum, maximum;
    record->triangleMeshShape->Shape().getAabb(btTransform::getIdentity(), minimum, maximum);
    EXPECT_NEAR(4.0f, minimum.y(), 0.06f);
}

TEST_F(MeshContainerTest, ShadowMeshMovesInwardsOnce)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_SHADOW, MakeBox({}, {1, 1, 1}));
    Write("shadow.msh", writer.Encode());
    Record* record = Load("shadow.msh");
    ASSERT_NE(nullptr, record);
    record->PrepareShadowMesh();
    record->PrepareShadowMesh();
    for (const MeshVertex& vertex : LockedCopy<MeshVertex>(record->meshes[1][0].get(), false)) {
        for (int axis = 0; axis < 3; ++axis) {
            if (vertex.normal[axis] != 0) {
                EXPECT_FLOAT_EQ(0.9f, std::abs(vertex.position[axis]));
            }
        }
    }
    ASSERT_EQ(1u, record->shadowFaceNormals.size());
    EXPECT_EQ(12u, record->shadowFaceNormals[0].size());
}

TEST_F(MeshContainerTest, PhysicsShapesFromBoxesSpheresAndTheBody)
{
    MeshWriter writer;
    writer.AddFrame(GROUP_BODY, MakeBox({0, 1, 0}, {2, 1, 4}));
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({3, 0, 0}, {1, 2, 3}));
    writer.AddFrame(GROUP_PHYSICS_BOXES, MakeBox({-3, 0, 0}, {1, 1, 1}));
    writer.AddFrame(GROUP_PHYSICS_SPHERES, MakeSphere({0, 4, 0}, 2, 8, 8));
    Write("shapes.msh", writer.Encode());
    Record* record = Load("shapes.msh");
    ASSERT_NE(nullptr, record);
    record->BuildCollisionShapes();
    btCompoundShape& primitives = record->primitiveShape->Shape();
    ASSERT_EQ(3, primitives.getNumChildShapes());
    const auto* box = static_cast<const btBoxShape*>(primitives.getChildShape(0));
    EXPECT_NEAR(3.0f, box->getHalfExtentsWithMargin().z(), 1e-4f);
    EXPECT_FLOAT_EQ(3.0f, primitives.getChildTransform(0).getOrigin().x());
    EXPECT_FLOAT_EQ(-3.0f, primitives.getChildTransform(1).getOrigin().x());
    const auto* sphere = static_cast<const btSphereShape*>(primitives.getChildShape(2));
    EXPECT_NEAR(2.0f, sphere->getRadius(), 1e-4f);
    EXPECT_NEAR(4.0f, primitives.getChildTransform(2).getOrigin().y(), 1e-4f);
    EXPECT_FLOAT_EQ(MESH_SHAPE_MARGIN, primitives.getMargin());

    btCompoundShape& body = record->bodyBoxShape->Shape();
    ASSERT_EQ(1, body.getNumChildShapes());
    const auto* bodyBox = static_cast<const btBoxShape*>(body.getChildShape(0));
    EXPECT_NEAR(0.45f * 8.0f, bodyBox->getHalfExtentsWithMargin().z(), 1e-4f);
    EXPECT_FLOAT_EQ(1.0f, body.getChildTransform(0).getOrigin().y());
}
