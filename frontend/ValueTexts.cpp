#include "frontend/ValueTexts.h"

#include <algorithm>
#include <cstdio>

namespace {

template <std::size_t N>
const char* Pick(const char* const (&texts)[N], int index)
{
    return texts[std::clamp(index, 0, static_cast<int>(N) - 1)];
}

constexpr int DISTANCE_MINIMUM = 500;
constexpr int DISTANCE_STEP = 750;

} // namespace

void DisplayModeText(char* text, unsigned width, unsigned height)
{
    std::snprintf(text, VALUE_TEXT_SIZE, " %uX%u", width, height);
}

const char* ViewDistanceText(int distance)
{
    static const char* const texts[] = {" Minimum", " Average", " Maximum"};
    return Pick(texts, (distance - DISTANCE_MINIMUM) / DISTANCE_STEP);
}

const char* ShadowsText(int shadows)
{
    static const char* const texts[] = {" All off", " Few", " Average", " All on"};
    return Pick(texts, shadows);
}

const char* ReliefText(int relief)
{
    static const char* const texts[] = {" Off", " Minimum", " Maximum"};
    return Pick(texts, relief);
}

const char* BlurText(int blur)
{
    static const char* const texts[] = {" Off", " On"};
    return Pick(texts, blur);
}

const char* OceanTypeText(int oceanType)
{
    static const char* const texts[] = {" Simple", " Best"};
    return Pick(texts, oceanType);
}

const char* CloudsTypeText(int cloudsType)
{
    static const char* const texts[] = {" Off", " Simple", " Best"};
    return Pick(texts, cloudsType);
}

void VolumeText(char* text, int percent)
{
    std::snprintf(text, VALUE_TEXT_SIZE, " %d%%", percent);
}

void ScooterText(char* text, const char* scooterName)
{
    std::snprintf(text, VALUE_TEXT_SIZE, " %s", scooterName ? scooterName : "no");
}

const char* SectorText(int sector)
{
    static const char* const texts[] = {" 'BLUE'", " 'GREEN'", " 'YELLOW'", " 'RED'"};
    return Pick(texts, sector);
}

const char* TrackText(int track)
{
    static const char* const texts[] = {" Random", " Track 1", " Track 2", " Track 3", " Track 4"};
    return Pick(texts, track);
}

const char* DifficultyText(int difficulty)
{
    static const char* const texts[] = {" Easy", " Medium", " Hard"};
    return Pick(texts, difficulty);
}

const char* LengthText(int length)
{
    static const char* const texts[] = {" Short", " Average", " Long"};
    return Pick(texts, length);
}

void RacersNumberText(char* text, int racersIndex)
{
    std::snprintf(text, VALUE_TEXT_SIZE, " %d", racersIndex + 1);
}

const char* RacersLevelText(int level)
{
    static const char* const texts[] = {" Beginners", " Experienced", " Aces"};
    return Pick(texts, level);
}
