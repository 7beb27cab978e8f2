#include <gtest/gtest.h>

#include "engine/helpers/StringHelpers.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/VertexTemplates.h"

namespace {

TEST(StringHelpers, SlashesAndExactEquality)
{
    char path[] = "Data\\Locations\\01/LocationData.obj";
    EXPECT_EQ(BackslashToSlash(path), 34);
    EXPECT_STREQ(path, "Data/Locations/01/LocationData.obj");
    EXPECT_EQ(StrEqual("Data/A.obj", "Data/A.obj"), 1);
    EXPECT_EQ(StrEqual("Data/A.obj", "data/a.obj"), 0);
    EXPECT_EQ(StrEqual("Data/A.obj", "Data/A.ob"), 0);
}

void ExpectVector(const D3DXVECTOR4& v, float x, float y, float z, float w)
{
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.w, w);
}

TEST(VectorHelpers, NormalisingAndColours)
{
    D3DXVECTOR3 out(9, 9, 9);
    Vec3Normalize(out, D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(out, D3DXVECTOR3(0, 0, 0));
    Vec3Normalize(out, D3DXVECTOR3(3, 0, 4));
    EXPECT_FLOAT_EQ(out.x, 0.6f);
    EXPECT_FLOAT_EQ(out.z, 0.8f);
    EXPECT_FLOAT_EQ(Vec3Distance(D3DXVECTOR3(1, 2, 3), D3DXVECTOR3(4, 6, 3)), 5.0f);

    D3DXVECTOR4 colour;
    ColorNormalizeMax(colour, D3DXVECTOR3(0.2f, 0.5f, 0.25f));
    ExpectVector(colour, 0.4f, 1.0f, 0.5f, 1.0f);
    ColorNormalizeMax(colour, D3DXVECTOR3(0, 0, 0));
    ExpectVector(colour, 0, 0, 0, 1);
    Vec4LimitMax(colour, D3DXVECTOR4(2, 4, 1, 1), 2);
    ExpectVector(colour, 1, 2, 0.5f, 0.5f);
    Vec4LimitMax(colour, D3DXVECTOR4(2, 4, 1, 1), 5);
    ExpectVector(colour, 2, 4, 1, 1);
}

TEST(VectorHelpers, LookAtMatrixRows)
{
    D3DXMATRIX m;
    BuildLookAtMatrix(m, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0));
    EXPECT_TRUE(D3DXMatrixIsIdentity(&m));

    BuildLookAtMatrix(m, D3DXVECTOR3(5, 1, 2), D3DXVECTOR3(15, 1, 2), D3DXVECTOR3(1, 2, 0));
    const float expected[4][4] = {{0, 0, -1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {5, 1, 2, 1}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_NEAR(m.m[row][column], expected[row][column], 1e-6f) << row << "," << column;

    D3DXVECTOR3 right;
    LookAtRightVector(right, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 10), D3DXVECTOR3(0, 2, 0));
    EXPECT_EQ(right, D3DXVECTOR3(2, 0, 0));
}

TEST(VectorHelpers, ToggleEdgeCancelsSharedEdges)
{
    EdgePair pairs[4];
    int count = 0;
    ToggleEdge(pairs, count, 1, 2);
    ToggleEdge(pairs, count, 3, 7);
    ToggleEdge(pairs, count, 4, 5);
    ToggleEdge(pairs, count, 7, 3);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(pairs[0].a, 1);
    EXPECT_EQ(pairs[1].a, 4); // the last pair moved into the removed one's place
    ToggleEdge(pairs, count, 2, 1);
    ToggleEdge(pairs, count, 5, 4);
    EXPECT_EQ(count, 0);
}

TEST(VertexTemplates, RimsAreClosedRings)
{
    FillVertexTemplates();
    EXPECT_FLOAT_EQ(CircleVerticesA[8].y, 1.0f);   // a quarter turn about Z
    EXPECT_NEAR(CircleVerticesB[8].z, -1.0f, 1e-6f); // a quarter turn about Y: (cos, 0, -sin)
    EXPECT_NEAR(FanVerticesA[9].y, -1.0f, 1e-6f);  // clockwise rim
    EXPECT_NEAR(FanVerticesA[9].v, 0.0f, 1e-6f);
    EXPECT_NEAR(FanVerticesB[9].y, 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(FanVerticesA[0].u, 0.5f);
    EXPECT_EQ(CircleVerticesA[0].rhw, 1.0f);
    EXPECT_EQ(CircleVerticesB[0].rhw, 0.0f);
    const ScreenVertex* rings[][2] = {{&CircleVerticesA[0], &CircleVerticesA[32]}, {&CircleVerticesB[0], &CircleVerticesB[32]},
                                      {&FanVerticesA[1], &FanVerticesA[33]}, {&FanVerticesB[1], &FanVerticesB[33]},
                                      {&DiscVertices[1], &DiscVertices[16]}};
    for (const auto& ring : rings) {
        EXPECT_EQ(ring[0]->x, ring[1]->x);
        EXPECT_EQ(ring[0]->y, ring[1]->y);
        EXPECT_EQ(ring[0]->z, ring[1]->z);
    }
}

} // namespace
