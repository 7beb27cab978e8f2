// The value texts of the options and quick-race selectors and the quick-race location photo.
#include <cstdio>
#include <cstring>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/SettingsFile.h"
#include "frontend/GameMenu.h"
#include "frontend/ValueTexts.h"
#include "world/scooters/Vehicle.h"

namespace {

// The settings slot of each working copy.
constexpr SettingSlot COPY_SLOTS[OPTION_COPIES] = {SLOT_MODE,    SLOT_DISTANCE, SLOT_SHADOWS,  SLOT_BUMP,
                                                   SLOT_BLUR,    SLOT_ATMOSPHERE, SLOT_OSURFACE};

void SetValueText(CMenuSelector& selector, const char* text)
{
    std::snprintf(selector.value, sizeof selector.value, "%s", text);
}

const DisplayModeRow& ModeOfRow(int row)
{
    return row >= 0 && row < d3dRender.displayModeCount ? d3dRender.displayModes[row] : d3dRender.desktopMode;
}

} // namespace

void CGameMenu::UpdateOptionTexts()
{
    // The copies take the clamped values; the settings themselves stay as they were.
    int saved[GAME_SETTINGS_SLOTS];
    std::memcpy(saved, GameSettings, sizeof saved);
    for (int i = 0; i < OPTION_COPIES; ++i)
        GameSettings[COPY_SLOTS[i]] = optionCopies[i];
    ClampSettings();
    for (int i = 0; i < OPTION_COPIES; ++i)
        optionCopies[i] = GameSettings[COPY_SLOTS[i]];
    std::memcpy(GameSettings, saved, sizeof saved);

    char text[VALUE_TEXT_SIZE];
    const DisplayModeRow& mode = ModeOfRow(optionCopies[OPTION_COPY_MODE]);
    DisplayModeText(text, mode.width, mode.height);
    SetValueText(graphicsSelectors[GRAPHICS_RESOLUTION], text);
    SetValueText(graphicsSelectors[GRAPHICS_VIEW_DISTANCE], ViewDistanceText(optionCopies[OPTION_COPY_DISTANCE]));
    SetValueText(graphicsSelectors[GRAPHICS_SHADOWS], ShadowsText(optionCopies[OPTION_COPY_SHADOWS]));
    SetValueText(graphicsSelectors[GRAPHICS_RELIEF], ReliefText(optionCopies[OPTION_COPY_RELIEF]));
    SetValueText(graphicsSelectors[GRAPHICS_BLUR], BlurText(optionCopies[OPTION_COPY_BLUR]));
    SetValueText(graphicsSelectors[GRAPHICS_OCEAN], OceanTypeText(optionCopies[OPTION_COPY_OCEAN]));
    SetValueText(graphicsSelectors[GRAPHICS_CLOUDS], CloudsTypeText(optionCopies[OPTION_COPY_CLOUDS]));
    // The volumes change at once, so they show the settings themselves.
    VolumeText(text, GameSettings[SLOT_MUSIC]);
    SetValueText(musicVolume, text);
    VolumeText(text, GameSettings[SLOT_EFFECTS]);
    SetValueText(effectsVolume, text);
    audioManager.ApplyVolumes();
}

void CGameMenu::UpdateQuickRaceTexts()
{
    char text[VALUE_TEXT_SIZE];
    ScooterText(text, previewScooter ? previewScooter->vehicleName : nullptr);
    SetValueText(scooterSelector, text);
    SetValueText(sectorSelector, SectorText(MenuSelection.sector));
    SetValueText(trackSelector, TrackText(MenuSelection.track));
    SetValueText(difficultySelector, DifficultyText(MenuSelection.difficulty));
    SetValueText(lengthSelector, LengthText(MenuSelection.length));
    RacersNumberText(text, MenuSelection.racersIndex);
    SetValueText(racersSelector, text);
    SetValueText(levelSelector, RacersLevelText(MenuSelection.racerLevel));
}

void CGameMenu::LoadLocationPhoto()
{
    d3dRender.ReleaseTexture(locationPhoto);
    char path[64];
    std::snprintf(path, sizeof path, "Data/Locations/%02d/Photo.bmp", MenuSelection.sector + 1);
    locationPhoto = d3dRender.LoadTexture(path, 1);
}

void CGameMenu::OnKey(int) {}
