// The object manager's tables: capacity, removal, draw order, type lookup, the location list;
// and a track piece switching its decors by distance.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <fstream>

#include "engine/files/FileSystem.h"
#include "engine/shell/GameTimer.h"
#include "tests/track/TrackFixture.h"
#include "world/World.h"
#include "world/objects/ObjectManager.h"
#include "world/track/Platform.h"

namespace {

constexpr const char* BOX = "Data/Static/Decors/Boxes/Main01.obj";
constexpr const char* TOWER = "Data/Static/Structures/01/Main01.obj";
constexpr const char* STRAIGHT = "Data/Static/Platforms/01/AH_020_1.obj";

using ObjectManagerTest = TrackTest;

int DrawIndex(const CSceneObject* object)
{
    return static_cast<int>(std::find(objectManager.drawOrder, objectManager.drawOrder + objectManager.count, object) -
                            objectManager.drawOrder);
}

// A piece decides on the camera distance of the frame before, so each position takes two frames.
void UpdateAt(const D3DXVECTOR3& eye)
{
    world.eye = eye;
    objectManager.Update();
    objectManager.Update();
}

TEST_F(ObjectManagerTest, HoldsAtMost1024Objects)
{
    for (int i = 0; i < OBJECT_MANAGER_CAPACITY; ++i)
        ASSERT_NE(objectManager.AddObject(BOX, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), -1), nullptr);
    EXPECT_EQ(objectManager.AddObject(BOX, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), -1), nullptr);
    EXPECT_EQ(objectManager.AddPlatform(STRAIGHT, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), -1), nullptr);
    CSceneObject extra;
    objectManager.AddEntry(&extra);
    EXPECT_EQ(objectManager.count, OBJECT_MANAGER_CAPACITY);
}

TEST_F(ObjectManagerTest, RemovalClosesBothTablesAndIgnoresStrangers)
{
    CSceneObject* a = Place(BOX, D3DXVECTOR3(0, 0, 0));
    CSceneObject* b = Place(TOWER, D3DXVECTOR3(0, 0, 50));
    CSceneObject* c = Place(BOX, D3DXVECTOR3(0, 0, 90));
    CSceneObject stranger;
    objectManager.RemoveObject(&stranger);
    EXPECT_EQ(objectManager.count, 3);
    objectManager.RemoveObject(b);
    ASSERT_EQ(objectManager.count, 2);
    EXPECT_EQ(objectManager.objects[0], a);
    EXPECT_EQ(objectManager.objects[1], c);
    EXPECT_EQ(objectManager.drawOrder[1], c);
    EXPECT_EQ(objectManager.FindObject(GTYPE_STRUCTURE), nullptr);
    EXPECT_EQ(objectManager.FindObject(GTYPE_DECORS), a);
    EXPECT_EQ(objectManager.FindObject(GTYPE_NEBULA), nullptr);
}

TEST_F(ObjectManagerTest, FirstUpdateSortsPiecesAndStructuresNearestFirst)
{
    world.eye = D3DXVECTOR3(0, 0, 0);
    CSceneObject* far = Place(TOWER, D3DXVECTOR3(0, 0, 400));
    CSceneObject* box = Place(BOX, D3DXVECTOR3(0, 0, 5));
    CSceneObject* near = Place(TOWER, D3DXVECTOR3(0, 0, 100));
    objectManager.Update();
    EXPECT_LT(DrawIndex(near), DrawIndex(far));
    EXPECT_EQ(objectManager.objects[0], far) << "the add order stays";
    EXPECT_EQ(objectManager.objects[1], box);
    // The next pass waits a second of game time (the clock stands still here).
    far->SetTransform(D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 0, 2), D3DXVECTOR3(0, 1, 0));
    objectManager.Update();
    EXPECT_LT(DrawIndex(near), DrawIndex(far));
    objectManager.SortNow();
    EXPECT_LT(DrawIndex(far), DrawIndex(near));
}

// After the first pass the draw order is sorted again once more than a second of game time has
// gone by.
TEST_F(ObjectManagerTest, TheDrawOrderIsSortedAgainAfterASecondOfGameTime)
{
    world.eye = D3DXVECTOR3(0, 0, 0);
    CSceneObject* far = Place(TOWER, D3DXVECTOR3(0, 0, 400));
    CSceneObject* near = Place(TOWER, D3DXVECTOR3(0, 0, 100));
    gameTimer.gameStep = 0.0f;
    objectManager.Update();
    far->SetTransform(D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 0, 2), D3DXVECTOR3(0, 1, 0));
    gameTimer.gameStep = 0.6f;
    objectManager.Update();
    EXPECT_LT(DrawIndex(near), DrawIndex(far)) << "0.6 s";
    objectManager.Update();
    EXPECT_LT(DrawIndex(far), DrawIndex(near)) << "1.2 s";
    gameTimer.gameStep = 0.0f;
}

TEST_F(ObjectManagerTest, LocationListReadsRecordsUntilItsEnd)
{
    const auto vectorLine = [](const char* label, const char* fields) { return std::string(label) + std::string(32 - std::string(label).size(), ' ') + fields + "\n"; };
    std::ofstream list("List.obj", std::ios::binary);
    list << "free line after the lighting\n"
         << vectorLine("Object:", BOX) << vectorLine("Position:", "   10.00     2.00    30.00 trailing text here")
         << vectorLine("Target:", "   10.00     2.00    40.00") << vectorLine("Up:", "    0.00     5.00     0.00") << "//\n"
         << vectorLine("Object:", TOWER) << vectorLine("Position:", "    0.00     0.00     0.00")
         << vectorLine("Target:", "    0.00     0.00     1.00") << vectorLine("Up:", "    0.00     1.00     0.00") << "//\n";
    list.close(); // no end mark: the list ends with the data
    const int handle = fileSystem.Open("List.obj", 1000);
    ASSERT_NE(handle, -1);
    objectManager.LoadLocationObjects(handle);
    fileSystem.Close(handle);
    ASSERT_EQ(objectManager.count, 2);
    EXPECT_FLOAT_EQ(objectManager.objects[0]->world.m[3][2], 30.0f);
    EXPECT_FLOAT_EQ(objectManager.objects[0]->world.m[1][1], 1.0f);

    std::ofstream("Empty.obj", std::ios::binary) << "free\n//--\n";
    const int empty = fileSystem.Open("Empty.obj", 1000);
    objectManager.LoadLocationObjects(empty);
    fileSystem.Close(empty);
    EXPECT_EQ(objectManager.count, 0);
}

TEST_F(ObjectManagerTest, PieceShowsAndSimulatesItsDecorsOnlyNearTheEye)
{
    CPlatform* piece = objectManager.AddPlatform(STRAIGHT, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), -1);
    CSceneObject* box = objectManager.AddObject(BOX, D3DXVECTOR3(0, 2, 50), D3DXVECTOR3(0, 2, 51), D3DXVECTOR3(0, 1, 0), -1);
    box->CreatePhysics(box->mass, D3DXVECTOR3(0, 2, 50), D3DXVECTOR3(0, 2, 51), D3DXVECTOR3(0, 1, 0));
    piece->AddChild(box);
    EXPECT_EQ(piece->decorType, DECORS_TYPE_BOX);

    UpdateAt(D3DXVECTOR3(0, 0, 600));
    EXPECT_EQ(piece->childrenShown, 0);
    EXPECT_EQ(box->enabled, 0);
    EXPECT_FALSE(box->body->isInWorld());

    UpdateAt(D3DXVECTOR3(0, 5, 50));
    EXPECT_EQ(piece->childrenShown, 1);
    EXPECT_EQ(piece->bodiesInWorld, 1);
    EXPECT_TRUE(box->body->isInWorld());

    piece->Reset();
    EXPECT_EQ(piece->bodiesInWorld, 0);
    EXPECT_FALSE(box->body->isInWorld());
    EXPECT_EQ(box->enabled, 0);
    EXPECT_EQ(piece->active, 1);
}

} // namespace
