#pragma once
// The game menu: the whole front end in one object. Its pages are integer codes changed only
// through OpenPage; Update runs the page's actions (each firing 0.1 s of real time after its
// press), Draw draws the page. It also hands races to the world and takes them back, and
// keeps the keyboard focus that its widgets read.
#include <initializer_list>

#include "engine/font/Font.h"
#include "engine/shell/GameSettings.h"
#include "frontend/MenuButton.h"
#include "frontend/MenuSelector.h"
#include "world/camera/Camera.h"

class CSound;
class CVehicle;

// How the current race was started; read by the world, the racers, the blur and the records.
enum RaceModeCode {
    RACE_MODE_NONE = -1,
    RACE_MODE_QUICK = 0,
    RACE_MODE_CAREER = 1,
    RACE_MODE_AUTOPLAY = 2,
};
extern int RaceMode;
// The computer racers' strength: 0.8 + 0.1 x racer level, 1.0 in autoplay.
extern float RacerLevelFactor;

// The quick-race choices with their maxima, and the two flags of the career advance.
struct MenuChoices {
    int scooter;        // 0..7
    int scooterMaximum; // set to 7 each frame on the quick-race page
    int sector;         // 0..3
    int track;          // 0 random, 1..4
    int difficulty;     // 0..2
    int length;         // 0..2
    int racersIndex;    // 0..11: the race gets index + 1 racers
    int racerLevel;     // 0..2
    int sectorMaximum;
    int trackMaximum;
    int difficultyMaximum;
    int lengthMaximum;
    int racersMaximum;
    int levelMaximum;
    int sectorOpened;   // the career progress page shows "Sector %s now available"
    int upgradePending; // an upgrade waits on page 43
};
extern MenuChoices MenuSelection;

constexpr int CAREER_RACES = 16; // 4 stages of the 4 sectors; entry = sector x 4 + stage

// Every career race's set-up, indexed sector x 4 + stage.
struct CareerStages {
    int trackType[CAREER_RACES];
    int trackLength[CAREER_RACES];
    int racers[CAREER_RACES]; // including the player
    int racerLevel[CAREER_RACES];
};
extern CareerStages CareerStageTable;

enum MenuPage {
    MENU_PAGE_NONE = 0,
    MENU_PAGE_PROFILES = 10,
    MENU_PAGE_CREATE_PLAYER = 11,
    MENU_PAGE_MAIN = 20,
    MENU_PAGE_QUICK_RACE = 30,
    MENU_PAGE_CAREER = 40,
    MENU_PAGE_SCOOTER_CHOICE = 41,
    MENU_PAGE_CAREER_PROGRESS = 42,
    MENU_PAGE_UPGRADE = 43,
    MENU_PAGE_BEST_RESULTS = 50,
    MENU_PAGE_OPTIONS = 60,
    MENU_PAGE_GRAPHICS = 61,
    MENU_PAGE_AUDIO = 62,
    MENU_PAGE_CONTROLS = 63,
    MENU_PAGE_EXIT = 70,
    MENU_PAGE_PAUSE = 80,
    MENU_PAGE_IN_RACE = 90,
    MENU_PAGE_END_OF_RACE = 91,
    MENU_PAGE_END_OF_CAREER = 92,
    MENU_PAGE_TRANSITION = 100,
};

constexpr int MENU_PROFILES = 10;
constexpr int MENU_PROFILE_FILE_LENGTH = 64;
constexpr int MENU_SCOOTERS = 8;
constexpr int MENU_LOCATIONS = 4;
constexpr int MENU_FOCUS_LIST = 32;

// Indices of the seven video options in the working copies.
enum OptionCopy {
    OPTION_COPY_MODE = 0,
    OPTION_COPY_DISTANCE = 1,
    OPTION_COPY_SHADOWS = 2,
    OPTION_COPY_RELIEF = 3,
    OPTION_COPY_BLUR = 4,
    OPTION_COPY_CLOUDS = 5,
    OPTION_COPY_OCEAN = 6,
    OPTION_COPIES = 7,
};
// The setting each working copy stands for.
constexpr SettingSlot OPTION_COPY_SLOTS[OPTION_COPIES] = {
    SLOT_MODE, SLOT_DISTANCE, SLOT_SHADOWS, SLOT_BUMP, SLOT_BLUR, SLOT_ATMOSPHERE, SLOT_OSURFACE,
};

// The graphics page's selectors, in their screen and keyboard order.
enum GraphicsSelector {
    GRAPHICS_RESOLUTION = 0,
    GRAPHICS_VIEW_DISTANCE = 1,
    GRAPHICS_SHADOWS = 2,
    GRAPHICS_RELIEF = 3,
    GRAPHICS_BLUR = 4,
    GRAPHICS_OCEAN = 5,
    GRAPHICS_CLOUDS = 6,
    GRAPHICS_SELECTORS = 7,
};

// An item's colour, r, g, b, a in 0..1.
struct MenuColour {
    float r, g, b, a;
};

class CGameMenu {
public:
    // Resets the fields; loads nothing.
    CGameMenu();

    // Font, pictures, items, selection defaults, career stage table, sounds, value texts,
    // scooter captions and best results. Returns 1, also when a picture or sound is missing.
    int Load();
    // The part of Load that needs neither the device nor a file: every item with its caption and
    // place, the quick-race defaults and the career stage table.
    void CreatePages();
    void Release();
    // One frame of menu logic.
    void Update();
    void Draw();
    // Switches the menu on or off (music and voice stopped, background reset, page 100).
    void SetActive(bool on);
    void OpenPage(int page);
    // Keyboard focus: arrows move it, Enter and Space press the focused item.
    void UpdateSelection();
    // Makes the item the focused one when it is in the focus list.
    void SetFocus(CMenuButton* item);
    // Each plays its sound once from the start, when there is one.
    void PlayHoverSound();
    void PlayPressSound();
    // Key presses while key capture is on.
    void OnKey(int key);
    // Empties the focus list; nothing is focused.
    void ClearFocus();

    // Race start and end.
    void StartQuickRace();
    void StartCareerRace();
    void StartAutoplay();
    // After a career race, on the way back to the menu: records the place, advances the career
    // and opens the next page.
    void AdvanceCareer();

    // Splash, loading screen, logos and the menu background picture.
    void ShowSplash();
    void ShowLoading(bool present);
    void DrawLogos(float size);
    void LoadBackground(int number);

    // Profiles and best results.
    void ListProfiles();
    void CreateNewProfile();
    void LoadProfile();
    void SaveProfile();
    void DeleteProfile();
    void LoadRecordsTable();
    void SaveRecordsTable();
    void UpdateRecords();

    // Value texts, scooter preview and location photo.
    void UpdateOptionTexts();
    void UpdateQuickRaceTexts();
    void SelectScooter(int index);
    // The preview's camera, before any scooter is selected.
    void InitPreviewCamera();
    void LoadScooters();
    void LoadLocationPhoto();
    void DrawScooterStats(float x0, float y0, float x1, float y1);

    int active;  // 1 while the menu owns the screen and the input
    float fade;  // seconds since the page or transition began
    int page;    // MenuPage
    CFont font;  // "Data/Interface/Fonts/Menu 01"
    int backgroundNumber; // 1..12, -1 none
    int backHiderTexture;
    int titleTexture;
    int talvoroLogoTexture;
    int bulletLogoTexture;
    int backgroundTexture;
    CCamera previewCamera;

    int profileCount;
    int damagedProfileCount; // shown after the profiles, not to be chosen
    int profileLoaded;
    char profileFiles[MENU_PROFILES][MENU_PROFILE_FILE_LENGTH];
    CMenuButton profileItems[MENU_PROFILES];

    // Page 10.
    CMenuButton profileContinue, newProfile, deleteProfile;
    // Page 11.
    CMenuButton createDone;
    // Page 20.
    CMenuButton quickRace, career, options, bestResults, autoplay, changeProfile, exitGame;
    // Page 30.
    CMenuSelector scooterSelector, sectorSelector, trackSelector, difficultySelector, lengthSelector,
        racersSelector, levelSelector;
    CMenuButton startQuickRace;
    // Page 40.
    CMenuButton continueCareer, startNewCareer;
    // Page 41.
    CMenuButton scooterDone;
    // Page 42.
    CMenuButton startCareerRace;
    // Page 43.
    CMenuButton upgradeSpeed, upgradePower, upgradeControl;
    // Page 60.
    CMenuButton graphics, audio, controls;
    // Page 61.
    CMenuSelector graphicsSelectors[GRAPHICS_SELECTORS];
    CMenuButton accept, cancel;
    // Page 62.
    CMenuSelector musicVolume, effectsVolume;
    // Pages 91 and 92.
    CMenuButton endContinue, endRestart;
    // Page 90.
    CMenuButton raceContinue, raceRestart, exitRace;
    // Pages 11, 30, 40, 41, 42, 50, 60, 62, 63.
    CMenuButton back;

    CVehicle* previewScooter; // owned; null when none
    CMenuButton scooterItems[MENU_SCOOTERS];
    int smallPhotos[MENU_LOCATIONS]; // "Data/Locations/%02d/Photo_Small.bmp"
    int trackImage;                  // "Data/Locations/TrackImage.bmp"
    int locationPhoto;               // the quick-race page's photo of the chosen sector

    int optionCopies[OPTION_COPIES];

    CMenuButton* focused;
    CMenuButton* focusList[MENU_FOCUS_LIST];
    int focusIndex;
    int focusCount;

    CSound* hoverSound; // each may be null
    CSound* pressSound;

    // While set, the window procedure hands key presses to OnKey and nothing else sees them.
    int keyCapture;

private:
    void CreateItem(CMenuButton& item, const char* caption, float x, float y, float scale, int alignment,
                    const MenuColour& colour, int enabled);
    void CreateSelector(CMenuSelector& item, const char* caption, float x, float y, float scale);
    void CreateItems();
    void SetFocusList(std::initializer_list<CMenuButton*> items, CMenuButton* initial);
    // The page's focus list with its initial focus, as the page opens.
    void SetPageFocus(int pageCode);
    void OpenPauseToggle();
    void OpenInRaceToggle();
    void OpenEndPage(int pageCode);

    void UpdatePage();
    void UpdateProfilesPage();
    void UpdateCreatePlayerPage();
    void UpdateMainPage();
    void UpdateQuickRacePage();
    void UpdateCareerPage();
    void UpdateScooterChoicePage();
    void UpdateCareerProgressPage();
    void UpdateUpgradePage();
    void UpdateOptionsPage();
    void UpdateGraphicsPage();
    void UpdateAudioPage();
    void UpdateTransition();
    void UpdateInRaceMenu();
    void UpdateEndPage();
    // "BACK" pressed or Esc taken.
    bool BackRequested();
    void StepGraphicsOption(int selector);
    void RestoreOptionCopies();
    // The race is handed to the world (steps common to every start).
    void BeginRaceStart();
    void FinishRaceStart(int phase, int mode);
    // Brings the menu back over a race that is over: page 100, world cleared.
    void LeaveRace();
    void OpenPageAfterUpgrade();

    void DrawPage();
    void DrawProfilesPage();
    void DrawCreatePlayerPage();
    void DrawMainPage();
    void DrawQuickRacePage();
    void DrawCareerPage();
    void DrawScooterChoicePage();
    void DrawCareerProgressPage();
    void DrawUpgradePage();
    void DrawBestResultsPage();
    // The sector column of the career and best-results grids: a sector's photo with its name
    // centred on x.
    void DrawSectorPhoto(float centreX, float top, int sector, D3DCOLOR photoColour, D3DCOLOR nameColour);
    void DrawGraphicsPage();
    void DrawControlsPage();
    void DrawRaceShade();
    void DrawEndPage();
    void DrawEndOfRaceResults(float alpha);
    void DrawEndOfCareer(float alpha);
};

extern CGameMenu gameMenu;
