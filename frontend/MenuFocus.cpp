#include "frontend/MenuFocus.h"

#include "audio/Sound.h"

CMenuFocus menuFocus;

namespace {

void PlayOnce(CSound* sound)
{
    if (sound)
        sound->Play(0);
}

} // namespace

void CMenuFocus::SetFocus(CMenuButton* item)
{
    for (int i = 0; i < count && i < MENU_FOCUS_ITEMS; ++i) {
        if (items[i] == item) {
            focused = item;
            index = i;
            return;
        }
    }
}

void CMenuFocus::PlayHoverSound()
{
    PlayOnce(hoverSound);
}

void CMenuFocus::PlayPressSound()
{
    PlayOnce(pressSound);
}
