#pragma once
// Player profiles: the player's name and career progress, each in a file "Save/Profile%02d.sav"
// of 196 bytes (the name's 16, then the career record's 180, little-endian, no header). Reading
// checks the size and every field, so a damaged file is refused as a whole and never half-loaded.
#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "profile files are little-endian images");

constexpr int PLAYER_NAME_SIZE = 16; // 15 characters and the terminator
constexpr int CAREER_ENTRIES = 16;   // entry = sector x 4 + stage
constexpr int PROFILE_LIST_SIZE = 10;
constexpr int PROFILE_PATH_SIZE = 64;
constexpr int PROFILE_NUMBER_LIMIT = 99; // "Profile%02d.sav"
constexpr int CAREER_BLOCK_SIZE = 180;
// The most sectors and scooters a career can open.
constexpr int CAREER_SECTORS = 4;
constexpr int CAREER_SCOOTERS = 8;
constexpr int PROFILE_FILE_SIZE = PLAYER_NAME_SIZE + CAREER_BLOCK_SIZE;

// The career progress, laid out as stored in the profile file.
struct CareerProgress {
    std::int32_t places[CAREER_ENTRIES]; // 1..3, 0 = not raced or not on the podium
    float times[CAREER_ENTRIES];         // seconds
    std::int32_t sector;                 // race within the stage, 0..3
    std::int32_t stage;                  // 0..3, 4 = career finished
    std::int32_t noCareer;               // 1 = no career in progress
    std::int32_t careersCompleted;
    std::int32_t lastPlace; // 1-based place of the last race; -1 while a career race is set up, 0 after a restart
    float lastTime;         // seconds
    std::int32_t sectorsOpen;
    std::int32_t scootersOpen;
    std::int32_t careerScooter; // 0..7
    std::int32_t upgradePoints;
    std::int32_t speedLevel; // 0..9
    std::int32_t powerLevel;
    std::int32_t controlLevel;
};
static_assert(sizeof(CareerProgress) == CAREER_BLOCK_SIZE);

// The player's name, "Player" at start.
extern char PlayerName[PLAYER_NAME_SIZE];
extern CareerProgress CareerBlock;
// Position of the chosen profile in the menu's list, -1 when none.
extern int SelectedProfile;

// Every field 0, then one sector and four scooters open, no career in progress.
void ResetCareer(CareerProgress& career);
// True when every field holds a value the game can have written.
bool IsPlausibleCareer(const CareerProgress& career);

struct ProfileImage {
    char name[PLAYER_NAME_SIZE];
    CareerProgress career;
};
static_assert(sizeof(ProfileImage) == PROFILE_FILE_SIZE);

enum class SaveReadResult {
    Loaded,
    Missing, // the file does not open
    Damaged, // wrong size, a name without its terminator, or a field out of range
};

// Reads a whole profile file; profile is changed only when it loads. Counts of sectors or
// scooters open past all open read as all open.
SaveReadResult ReadProfileFile(const char* path, ProfileImage& profile);
// Writes the profile to its path "Save/<name>" through a temporary file that then replaces the
// old one, creating the folder "Save" first; false when any step fails (the old file is then
// untouched).
bool WriteProfileFile(const char* path, const ProfileImage& profile);
// "Save/Profile%02d.sav" into path (PROFILE_PATH_SIZE bytes).
void ProfilePath(int number, char* path);

// The listed profiles in the order the folder search returns them: at most ten files that read
// as profiles. Files named like profiles that are damaged or cannot be read take no place among
// them; they are kept apart, as many as leave the ten places, so that the player can be told
// (and left alone on disk).
struct ProfileList {
    int count;
    char paths[PROFILE_LIST_SIZE][PROFILE_PATH_SIZE];
    char names[PROFILE_LIST_SIZE][PLAYER_NAME_SIZE];
    int damagedCount; // count + damagedCount <= PROFILE_LIST_SIZE
    char damagedPaths[PROFILE_LIST_SIZE][PROFILE_PATH_SIZE];
};
void ListProfileFiles(ProfileList& list);
// The number for a new profile: preferred when its file does not exist, else the lowest number
// whose file does not exist; 0 when all are taken.
int FreeProfileNumber(int preferred);
