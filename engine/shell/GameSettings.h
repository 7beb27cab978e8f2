#pragma once
// The integer settings table. Slots 0-28 hold the career record; slots 29-46 the settings read
// from "Game.ini" and the run flags.

enum SettingSlot {
    SLOT_MODE = 29,          // display mode row; 100 or more = the desktop's mode
    SLOT_DISTANCE = 30,      // view distance in world units (file value x 750 + 500)
    SLOT_SHADOWS = 31,
    SLOT_BUMP = 32,
    SLOT_BLUR = 33,
    SLOT_OSURFACE = 34,
    SLOT_ATMOSPHERE = 35,
    SLOT_WINDOWED = 36,
    SLOT_AUDIO = 37,
    SLOT_MASTER = 38,
    SLOT_MUSIC = 39,
    SLOT_EFFECTS = 40,
    SLOT_BMP_TO_JPG = 41,
    SLOT_DEBUG_MODE = 42,
    SLOT_DEBUG_LOG = 43,
    SLOT_DEBUG_VIEW = 44,    // run flag: debug preset view index 0-6
    SLOT_RACE_RUNNING = 45,  // run flag
    SLOT_QUIT = 46,          // run flag: the main loop ends when it is not 0
};

constexpr int GAME_SETTINGS_SLOTS = 47;
extern int GameSettings[GAME_SETTINGS_SLOTS];

// Packs on when not 0 ([Misc] "File manager").
extern int FileManager;
// Start in the menu when not 0 ([Misc] "Game menu").
extern int GameMenu;

// Upper bounds of the video options in slots 30-35, lowered by the renderer to what the device
// supports; indexed by slot - SLOT_DISTANCE.
constexpr int OPTION_MAXIMA = 6;
extern int OptionMaximum[OPTION_MAXIMA];
int& OptionMaximumOf(SettingSlot slot);

constexpr float NearPlane = 0.25f;
constexpr float FarPlane = 2000.0f;
