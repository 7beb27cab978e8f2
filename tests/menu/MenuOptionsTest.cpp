#include <algorithm>
#include <functional>
#include <vector>
#include <string>

#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "platform/win/WinProfile.h"
#include "tests/menu/MenuTestFixture.h"

namespace {

std::string IniValue(const char* section, const char* key)
{
    char value[128];
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, "Game.ini");
    return value;
}

struct GraphicsStep {
    const char* text; // the selector's value text after the step
    const char* written; // the key's value in Game.ini after ACCEPT
};

struct GraphicsSelectorCase {
    int selector;
    const char* key;
    std::vector<GraphicsStep> steps; // from the lowest value, through the wrap
};

// Each selector stepped from its lowest value through its wrap, every step accepted, under the
// option maxima given: the texts shown and the file written follow that selector's own maximum.
void StepEveryGraphicsSelector(const int (&maxima)[OPTION_MAXIMA],
                               const std::vector<GraphicsSelectorCase>& cases,
                               const std::function<void(CMenuButton&)>& activate)
{
    std::copy(std::begin(maxima), std::end(maxima), OptionMaximum);
    for (const auto& c : cases) {
        GameSettings[SLOT_MODE] = 0;
        GameSettings[SLOT_DISTANCE] = 500;
        for (int slot = SLOT_SHADOWS; slot <= SLOT_ATMOSPHERE; ++slot)
            GameSettings[slot] = 0;
        for (const auto& step : c.steps) {
            for (int i = 0; i < OPTION_COPIES; ++i)
                gameMenu.optionCopies[i] = GameSettings[OPTION_COPY_SLOTS[i]];
            gameMenu.OpenPage(MENU_PAGE_GRAPHICS);
            activate(gameMenu.graphicsSelectors[c.selector]);
            EXPECT_STREQ(gameMenu.graphicsSelectors[c.selector].value, step.text) << c.key << " -> " << step.written;
            activate(gameMenu.accept);
            EXPECT_EQ(IniValue("Video", c.key), step.written) << c.key;
        }
    }
}

TEST_F(MenuTest, ViewDistanceCyclesAndAcceptWritesTheSettingsFile)
{
    gameMenu.optionCopies[OPTION_COPY_DISTANCE] = GameSettings[SLOT_DISTANCE];
    gameMenu.OpenPage(MENU_PAGE_GRAPHICS);
    CMenuSelector& distance = gameMenu.graphicsSelectors[GRAPHICS_VIEW_DISTANCE];
    const int expected[] = {1250, 2000, 500, 1250};
    for (int value : expected) {
        Activate(distance);
        EXPECT_EQ(gameMenu.optionCopies[OPTION_COPY_DISTANCE], value);
    }
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 500) << "only ACCEPT changes the settings";

    Activate(gameMenu.accept);
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(GameSettings[SLOT_DISTANCE], 1250);
    ASSERT_TRUE(folder.Exists("Game.ini"));
    EXPECT_NE(folder.Read("Game.ini").find("Distance"), std::string::npos);
}

TEST_F(MenuTest, EveryGraphicsSelectorWrapsAtItsOwnMaximum)
{
    const int saved[OPTION_MAXIMA] = {OptionMaximum[0], OptionMaximum[1], OptionMaximum[2],
                                      OptionMaximum[3], OptionMaximum[4], OptionMaximum[5]};
    const int savedModes = d3dRender.displayModeCount;
    d3dRender.displayModeCount = 3;
    d3dRender.displayModes[0] = {640, 480, 60, D3DFMT_X8R8G8B8};
    d3dRender.displayModes[1] = {800, 600, 60, D3DFMT_X8R8G8B8};
    d3dRender.displayModes[2] = {1024, 768, 60, D3DFMT_X8R8G8B8};
    const auto activate = [this](CMenuButton& item) { Activate(item); };

    const int built[OPTION_MAXIMA] = {2000, 3, 2, 1, 1, 2};
    StepEveryGraphicsSelector(built, {
        {GRAPHICS_RESOLUTION, "Mode", {{" 800X600", "1"}, {" 1024X768", "2"}, {" 640X480", "0"}}},
        {GRAPHICS_VIEW_DISTANCE, "Distance", {{" Average", "1"}, {" Maximum", "2"}, {" Minimum", "0"}}},
        {GRAPHICS_SHADOWS, "Shadows", {{" Few", "1"}, {" Average", "2"}, {" All on", "3"}, {" All off", "0"}}},
        {GRAPHICS_RELIEF, "Bump", {{" Minimum", "1"}, {" Maximum", "2"}, {" Off", "0"}}},
        {GRAPHICS_BLUR, "Blur", {{" On", "1"}, {" Off", "0"}}},
        {GRAPHICS_OCEAN, "OSurface", {{" Best", "1"}, {" Simple", "0"}}},
        {GRAPHICS_CLOUDS, "Atmosphere", {{" Simple", "1"}, {" Best", "2"}, {" Off", "0"}}},
    }, activate);

    // As a device that lacks some effects lowers them.
    const int lowered[OPTION_MAXIMA] = {1250, 1, 0, 1, 0, 1};
    StepEveryGraphicsSelector(lowered, {
        {GRAPHICS_VIEW_DISTANCE, "Distance", {{" Average", "1"}, {" Minimum", "0"}}},
        {GRAPHICS_SHADOWS, "Shadows", {{" Few", "1"}, {" All off", "0"}}},
        {GRAPHICS_RELIEF, "Bump", {{" Off", "0"}}},
        {GRAPHICS_BLUR, "Blur", {{" On", "1"}, {" Off", "0"}}},
        {GRAPHICS_OCEAN, "OSurface", {{" Simple", "0"}}},
        {GRAPHICS_CLOUDS, "Atmosphere", {{" Simple", "1"}, {" Off", "0"}}},
    }, activate);

    std::copy(std::begin(saved), std::end(saved), OptionMaximum);
    d3dRender.displayModeCount = savedModes;
}

TEST_F(MenuTest, CancelAndEscapeRestoreTheWorkingCopies)
{
    gameMenu.optionCopies[OPTION_COPY_DISTANCE] = GameSettings[SLOT_DISTANCE];
    gameMenu.OpenPage(MENU_PAGE_GRAPHICS);
    Activate(gameMenu.graphicsSelectors[GRAPHICS_VIEW_DISTANCE]);
    inputState.escape = 1;
    gameMenu.Update();
    EXPECT_EQ(gameMenu.page, MENU_PAGE_OPTIONS);
    EXPECT_EQ(gameMenu.optionCopies[OPTION_COPY_DISTANCE], 500);
    EXPECT_EQ(inputState.escape, 0);
    EXPECT_FALSE(folder.Exists("Game.ini"));
}

// Each volume steps its own setting only, writes it to Game.ini at once and shows it.
TEST_F(MenuTest, VolumesStepByFiveAndWrapToZero)
{
    const struct {
        CMenuSelector& selector;
        SettingSlot slot, other;
        const char* key;
    } volumes[] = {{gameMenu.musicVolume, SLOT_MUSIC, SLOT_EFFECTS, "Music"},
                   {gameMenu.effectsVolume, SLOT_EFFECTS, SLOT_MUSIC, "Effects"}};
    gameMenu.OpenPage(MENU_PAGE_AUDIO);
    for (const auto& volume : volumes) {
        GameSettings[volume.slot] = 90;
        GameSettings[volume.other] = 30;
        for (int value : {95, 100, 0, 5}) {
            Activate(volume.selector);
            EXPECT_EQ(GameSettings[volume.slot], value) << volume.key;
            EXPECT_EQ(IniValue("Audio", volume.key), std::to_string(value));
            EXPECT_EQ(volume.selector.value, " " + std::to_string(value) + "%");
        }
        EXPECT_EQ(GameSettings[volume.other], 30) << volume.key << " leaves the other volume";
    }
}

} // namespace
