// The background's start from the menu's own background picture.
#include "frontend/Background.h"
#include "frontend/GameMenu.h"

void CBackground::SetBackground(int newMode, int newArgument)
{
    SetBackgroundPicture(newMode, newArgument, gameMenu.backgroundNumber);
}
