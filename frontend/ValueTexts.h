#pragma once
// The value texts the menu's selectors show beside their captions; each begins with a blank.
// An index outside its table reads as the nearest entry.

constexpr int VALUE_TEXT_SIZE = 64;

void DisplayModeText(char* text, unsigned width, unsigned height); // " %dX%d"
const char* ViewDistanceText(int distance);                         // 500, 1250, 2000
const char* ShadowsText(int shadows);
const char* ReliefText(int relief);
const char* BlurText(int blur);
const char* OceanTypeText(int oceanType);
const char* CloudsTypeText(int cloudsType);
void VolumeText(char* text, int percent); // " %d%%"
// " %s" with the name, " no" without one.
void ScooterText(char* text, const char* scooterName);
const char* SectorText(int sector);
const char* TrackText(int track);
const char* DifficultyText(int difficulty);
const char* LengthText(int length);
void RacersNumberText(char* text, int racersIndex); // " %d" with index + 1
const char* RacersLevelText(int level);
