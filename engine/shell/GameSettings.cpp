#include "engine/shell/GameSettings.h"

int GameSettings[GAME_SETTINGS_SLOTS];
int FileManager;
int GameMenu;
int OptionMaximum[OPTION_MAXIMA] = {2000, 3, 2, 1, 1, 2};

int& OptionMaximumOf(SettingSlot slot)
{
    return OptionMaximum[slot - SLOT_DISTANCE];
}
