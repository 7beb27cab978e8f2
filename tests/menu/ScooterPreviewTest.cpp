// The scooter preview with the generated scooters in a location's light: every scooter turns
// inside the box, clear of the selector's caption above and the level bars below, and the eight
// look different. A contact sheet of the previews is saved for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/render/D3DRender.h"
#include "engine/render/LightManager.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "tests/font/FontDrawFixture.h"
#include "tests/support/GeneratedData.h"
#include "tools/makedata/ImageWriters.h"
#include "world/scooters/Vehicle.h"

namespace {

// The quick-race page's box, in virtual units.
constexpr float BOX_X0 = 35, BOX_Y0 = 300, BOX_X1 = 275, BOX_Y1 = 495;
// Where the caption "Scooter :" ends and the first level bar's text begins.
constexpr float CAPTION_BOTTOM = BOX_Y0 + 30, BARS_TOP = BOX_Y1 - 57;

const EnvironmentLighting LOCATION_LIGHT {{1.0f, 0.92f, 0.8f, 1}, {0.3f, 0.34f, 0.5f, 1}, 1.0f, 1.0f,
                                          {0.45f, -0.75f, -0.5f}, {-0.6f, -0.2f, 0.75f}};

struct PixelBox {
    int x, y, width, height;
};

PixelBox ToPixels(float x0, float y0, float x1, float y1)
{
    const float xf = d3dRender.xFactor, yf = d3dRender.yFactor;
    const int left = int(x0 * xf), top = int(y0 * yf);
    return {left, top, int(x1 * xf) - left, int(y1 * yf) - top};
}

int Difference(D3DCOLOR a, D3DCOLOR b)
{
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return sum;
}

class ScooterPreview : public FontDrawTest {
protected:
    static void SetUpTestSuite()
    {
        FontDrawTest::SetUpTestSuite();
        WriteGeneratedData({"vehicles", "textures"});
    }

    void SetUp() override
    {
        FontDrawTest::SetUp();
        d3dRender.LoadCubeTexture("Data/Locations/PlanetEnvMap.dds", &d3dRender.planetEnvMap);
        lightManager.Reset();
        lightManager.AttachLighting(&LOCATION_LIGHT);
        gameTimer.gameTime = 1000;
        lightManager.Update();
        gameMenu.InitPreviewCamera();
    }

    void TearDown() override
    {
        gameMenu.SelectScooter(-1);
        lightManager.AttachLighting(nullptr);
        if (d3dRender.planetEnvMap)
            d3dRender.planetEnvMap->Release();
        d3dRender.planetEnvMap = nullptr;
    }

    // The preview box turned by angle radians, with the scooter shown or hidden.
    std::vector<D3DCOLOR> DrawBox(float angle, bool shown)
    {
        gameTimer.gameTime = static_cast<std::uint32_t>(angle * 1000.0f);
        gameMenu.previewScooter->visible = shown;
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        gameMenu.DrawScooterStats(BOX_X0, BOX_Y0, BOX_X1, BOX_Y1);
        const PixelBox box = ToPixels(BOX_X0, BOX_Y0, BOX_X1, BOX_Y1);
        return Pixels(box.x, box.y, box.width, box.height);
    }
};

TEST_F(ScooterPreview, EveryScooterTurnsInsideTheBoxClearOfTheCaptionAndTheBars)
{
    const PixelBox box = ToPixels(BOX_X0, BOX_Y0, BOX_X1, BOX_Y1);
    const PixelBox clear = ToPixels(BOX_X0 + 2, CAPTION_BOTTOM, BOX_X1 - 2, BARS_TOP);
    for (int scooter = 0; scooter < MENU_SCOOTERS; ++scooter) {
        gameMenu.SelectScooter(scooter);
        ASSERT_NE(gameMenu.previewScooter, nullptr);
        for (int step = 0; step < 8; ++step) {
            const float angle = 0.3f + 0.785f * float(step);
            const std::vector<D3DCOLOR> empty = DrawBox(angle, false);
            const std::vector<D3DCOLOR> shown = DrawBox(angle, true);
            const D3DVIEWPORT9 frame = gameMenu.previewCamera.viewport;
            int covered = 0, outside = 0, onEdge = 0;
            for (int y = 0; y < box.height; ++y) {
                for (int x = 0; x < box.width; ++x) {
                    if (Difference(empty[y * box.width + x], shown[y * box.width + x]) < 24)
                        continue;
                    const int px = box.x + x, py = box.y + y;
                    ++covered;
                    outside += px < clear.x || px >= clear.x + clear.width || py < clear.y || py >= clear.y + clear.height;
                    onEdge += px <= int(frame.X) || px >= int(frame.X + frame.Width) - 1 || py <= int(frame.Y) ||
                              py >= int(frame.Y + frame.Height) - 1;
                }
            }
            EXPECT_GT(covered, clear.width * clear.height / 20) << "scooter " << scooter << " at " << angle;
            EXPECT_EQ(outside, 0) << "over the caption or the bars: scooter " << scooter << " at " << angle;
            EXPECT_EQ(onEdge, 0) << "cut off at the frame: scooter " << scooter << " at " << angle;
        }
    }
}

// The eight scooters turned to the front and to the back in a preview over the whole screen,
// halved into a contact sheet. They must differ from each other wherever one of them is seen.
TEST_F(ScooterPreview, TheEightScootersLookDifferentOnTheContactSheet)
{
    constexpr int COLUMNS = 4, ROWS = 4, TILE_WIDTH = WIDTH / 2, TILE_HEIGHT = HEIGHT / 2;
    DecodedImage sheet = MakeFlatImage(TILE_WIDTH * COLUMNS, TILE_HEIGHT * ROWS, [](unsigned, unsigned) { return 0u; });
    std::vector<std::vector<D3DCOLOR>> fronts;
    for (int scooter = 0; scooter < MENU_SCOOTERS; ++scooter) {
        gameMenu.SelectScooter(scooter);
        for (const int view : {0, 1}) {
            gameTimer.gameTime = view == 0 ? 750 : 2500;
            d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
            gameMenu.DrawScooterStats(0, 0, 800, 600);
            const std::vector<D3DCOLOR> screen = Pixels(0, 0, WIDTH, HEIGHT);
            if (view == 0)
                fronts.push_back(screen);
            const int column = scooter % COLUMNS, row = scooter / COLUMNS + 2 * view;
            for (int y = 0; y < TILE_HEIGHT; ++y) {
                for (int x = 0; x < TILE_WIDTH; ++x) {
                    const D3DCOLOR texel = screen[2 * y * WIDTH + 2 * x];
                    sheet.faces[0][0].texels[(row * TILE_HEIGHT + y) * TILE_WIDTH * COLUMNS + column * TILE_WIDTH + x] =
                        texel;
                }
            }
        }
    }
    const std::filesystem::path folder = SCOOTER_PICTURES;
    std::filesystem::create_directories(folder);
    const std::vector<std::uint8_t> png = WritePng(sheet);
    std::ofstream(folder / "scooters_contact_sheet.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));

    for (std::size_t a = 0; a < fronts.size(); ++a) {
        for (std::size_t b = a + 1; b < fronts.size(); ++b) {
            int seen = 0, different = 0;
            for (std::size_t i = 0; i < fronts[a].size(); ++i) {
                if (Brightness(fronts[a][i]) < 16 && Brightness(fronts[b][i]) < 16)
                    continue;
                ++seen;
                different += Difference(fronts[a][i], fronts[b][i]) > 60;
            }
            EXPECT_GT(different, seen / 4) << "scooters " << a + 1 << " and " << b + 1 << " look alike";
        }
    }
}

} // namespace
