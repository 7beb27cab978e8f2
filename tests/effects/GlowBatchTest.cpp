// The light-glow batch: vertex layout, capacity, index offsets and the drawn quads on both the
// shader and the fixed-function path.
#include <cstddef>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/GlowVertex.h"
#include "tests/effects/EffectsFixture.h"
#include "tests/support/DeviceFixture.h"

namespace {

// A square glow of half-size s centred at (x, y, z), as the light components build it.
void Quad(GlowVertex* vertices, WORD* indices, float s, const D3DXVECTOR3& centre, D3DCOLOR colour)
{
    const float corners[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (int k = 0; k < 4; ++k) {
        vertices[k] = GlowVertex {};
        vertices[k].x = corners[k][0] * s;
        vertices[k].y = corners[k][1] * s;
        vertices[k].z = 0.5f;
        vertices[k].colour = colour;
        vertices[k].u = vertices[k].v = 0.5f;
        vertices[k].centreX = centre.x;
        vertices[k].centreY = centre.y;
        vertices[k].centreZ = centre.z;
        vertices[k].upY = 1.0f;
    }
    WriteQuadIndices(indices, 0);
}

class GlowBatchTest : public EffectsTest {
protected:
    void TearDown() override
    {
        d3dRender.UnlockBatchBuffers();
        d3dRender.batchVertexCount = d3dRender.batchIndexCount = 0;
        EffectsTest::TearDown();
    }
};

} // namespace

TEST(GlowVertexTest, IsTheSixtyFourByteLayoutOfItsFormat)
{
    EXPECT_EQ(GLOW_VERTEX_FVF, 0x940442u);
    EXPECT_EQ(offsetof(GlowVertex, colour), 12u);
    EXPECT_EQ(offsetof(GlowVertex, u), 16u);
    EXPECT_EQ(offsetof(GlowVertex, centreX), 24u);
    EXPECT_EQ(offsetof(GlowVertex, upX), 36u);
    EXPECT_EQ(offsetof(GlowVertex, spare), 48u);
    EXPECT_EQ(sizeof(GlowVertex), 64u);
}

TEST_F(GlowBatchTest, BuffersHoldTwentyThousandVerticesAndThirtyThousandIndices)
{
    D3DVERTEXBUFFER_DESC vertexDesc {};
    D3DINDEXBUFFER_DESC indexDesc {};
    ASSERT_NE(d3dRender.batchVertexBuffer, nullptr);
    ASSERT_NE(d3dRender.batchIndexBuffer, nullptr);
    d3dRender.batchVertexBuffer->GetDesc(&vertexDesc);
    d3dRender.batchIndexBuffer->GetDesc(&indexDesc);
    EXPECT_EQ(vertexDesc.Size, 1280000u);
    EXPECT_EQ(indexDesc.Size, 60000u);
    EXPECT_EQ(indexDesc.Format, D3DFMT_INDEX16);
}

TEST_F(GlowBatchTest, RefusesAppendsWhileUnlockedAndAtTheVertexLimit)
{
    std::vector<GlowVertex> vertices(BATCH_VERTEX_CAPACITY);
    std::vector<WORD> indices(BATCH_INDEX_CAPACITY);
    d3dRender.AddToBatch(vertices.data(), indices.data(), 4, 6);
    EXPECT_EQ(d3dRender.batchVertexCount, 0) << "not locked";

    d3dRender.LockBatchBuffers();
    d3dRender.AddToBatch(vertices.data(), indices.data(), 19996, 6);
    d3dRender.AddToBatch(vertices.data(), indices.data(), 4, 6);
    EXPECT_EQ(d3dRender.batchVertexCount, 19996) << "a call reaching exactly 20,000 is refused";
    d3dRender.AddToBatch(vertices.data(), indices.data(), 3, 3);
    EXPECT_EQ(d3dRender.batchVertexCount, 19999);
    EXPECT_EQ(d3dRender.batchIndexCount, 9);

    d3dRender.LockBatchBuffers();
    EXPECT_EQ(d3dRender.batchVertexCount, 0) << "a new batch starts empty";
    EXPECT_EQ(d3dRender.batchIndexCount, 0);
}

TEST_F(GlowBatchTest, IndicesOfLaterCallsAreOffsetByTheVerticesBeforeThem)
{
    GlowVertex vertices[4];
    WORD indices[6];
    Quad(vertices, indices, 1, D3DXVECTOR3(0, 0, 10), 0xFFFFFFFF);
    d3dRender.LockBatchBuffers();
    d3dRender.AddToBatch(vertices, indices, 4, 6);
    d3dRender.AddToBatch(vertices, indices, 3, 3);
    d3dRender.AddToBatch(vertices, indices, 4, 6);
    const std::vector<WORD> batch(d3dRender.batchIndices, d3dRender.batchIndices + d3dRender.batchIndexCount);
    d3dRender.UnlockBatchBuffers();
    EXPECT_EQ(batch, (std::vector<WORD> {0, 1, 2, 2, 1, 3, 4, 5, 6, 7, 8, 9, 9, 8, 10}));
    EXPECT_EQ(d3dRender.batchIndices, nullptr);
    EXPECT_EQ(d3dRender.batchVertices, nullptr);
}

TEST_F(GlowBatchTest, DrawsEveryQuadAdditivelyFacingTheEyeOnBothPaths)
{
    d3dRender.lightMapId = SolidTextureId("Data/Test/White.bmp", 0xFFFFFFFF);
    for (const int shaders : {1, 0}) {
        SCOPED_TRACE(shaders ? "technique" : "fixed function");
        d3dRender.ps11 = shaders;
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000080, 1.0f, 0);
        GlowVertex vertices[4];
        WORD indices[6];
        d3dRender.LockBatchBuffers();
        // Left of the view axis, and a second one straight ahead.
        Quad(vertices, indices, 1, D3DXVECTOR3(-3, 0, 10), 0xFFFF0000);
        d3dRender.AddToBatch(vertices, indices, 4, 6);
        Quad(vertices, indices, 1, D3DXVECTOR3(0, 0, 10), 0xFF00FF00);
        d3dRender.AddToBatch(vertices, indices, 4, 6);
        d3dRender.UnlockBatchBuffers();
        d3dRender.facesDrawn = 0;
        // The clock stood still: the same batch is drawn twice and stays in place.
        for (int draw = 0; draw < 2; ++draw) {
            d3dRender.DrawDirectLights();
            EXPECT_TRUE(ColourNear(PixelAt(512, 384), 0xFF00FF80)) << "additive over the background";
            // x = -3 at depth 10 with a 90-degree field: 512 - 0.3 x 512 / aspect ... about 397.
            EXPECT_TRUE(ColourNear(PixelAt(397, 384), 0xFFFF0080));
            EXPECT_TRUE(ColourNear(PixelAt(512, 200), 0xFF000080)) << "the quads are small";
        }
        EXPECT_EQ(d3dRender.facesDrawn, 8);
    }
    d3dRender.ps11 = 1;
    d3dRender.ReleaseTexture(d3dRender.lightMapId);
    d3dRender.lightMapId = d3dRender.LoadTexture("Data/Misc/LightMap.bmp", 0);
}

TEST_F(GlowBatchTest, AnEmptyBatchDrawsNothing)
{
    d3dRender.LockBatchBuffers();
    d3dRender.UnlockBatchBuffers();
    d3dRender.facesDrawn = 0;
    d3dRender.DrawDirectLights();
    EXPECT_EQ(d3dRender.facesDrawn, 0);
}
