#include "frontend/GameMenu.h"

#include "audio/Sound.h"
#include "frontend/GameMenuItems.h"

int RaceMode = RACE_MODE_NONE;
float RacerLevelFactor = 1.0f;
MenuChoices MenuSelection;
CareerStages CareerStageTable;

namespace {

void PlayOnce(CSound* sound)
{
    if (sound)
        sound->Play(0);
}

} // namespace

CGameMenu::CGameMenu()
    : active(0),
      fade(0),
      page(MENU_PAGE_NONE),
      backgroundNumber(-1),
      backHiderTexture(-1),
      titleTexture(-1),
      talvoroLogoTexture(-1),
      bulletLogoTexture(-1),
      backgroundTexture(-1),
      profileCount(0),
      damagedProfileCount(0),
      profileLoaded(0),
      previewScooter(nullptr),
      trackImage(-1),
      locationPhoto(-1),
      focused(nullptr),
      focusIndex(0),
      focusCount(0),
      hoverSound(nullptr),
      pressSound(nullptr),
      keyCapture(0)
{
    for (int& photo : smallPhotos)
        photo = -1;
    ForEachItem(*this, [](CMenuButton& item) {
        for (float& part : item.colour)
            part = 1.0f;
    });
}

void CGameMenu::SetFocus(CMenuButton* item)
{
    for (int i = 0; i < focusCount; ++i) {
        if (focusList[i] == item) {
            focused = item;
            focusIndex = i;
            return;
        }
    }
}

void CGameMenu::ClearFocus()
{
    focused = nullptr;
    focusIndex = 0;
    focusCount = 0;
}

void CGameMenu::PlayHoverSound()
{
    PlayOnce(hoverSound);
}

void CGameMenu::PlayPressSound()
{
    PlayOnce(pressSound);
}
