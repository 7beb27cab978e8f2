#include "frontend/MenuText.h"

#include <cstring>

namespace {

// In the order of the pages: profile, main menu, quick race, career, upgrades, options,
// graphics, audio, the race's own menus, and the button most pages share.
const char* const englishLabels[] = {
    "CONTINUE", "NEW PROFILE", "DELETE PROFILE", "DONE",
    "QUICK RACE", "CAREER", "OPTIONS", "BEST RESULTS", "AUTOPLAY", "CHANGE PROFILE", "EXIT GAME",
    "Scooter :", "Sector :", "Track :", "Track difficulty :", "Track length :", "Racers number :",
    "Racers level :", "START!",
    "CONTINUE CAREER", "START NEW CAREER", "DONE", "START RACE!",
    "SPEED", "POWER", "CONTROL",
    "GRAPHICS", "AUDIO", "CONTROLS",
    "Resolution :", "View distance :", "Shadows :", "Relief :", "Blur :", "Ocean type :", "Clouds type :",
    "ACCEPT", "CANCEL",
    "Music volume :", "Effects volume :",
    "CONTINUE", "RESTART", "EXIT RACE",
    "BACK",
};
static_assert(sizeof(englishLabels) / sizeof(englishLabels[0]) == 44);

} // namespace

CMenuText::CMenuText() : labels {}, count(0)
{
    for (const char* label : englishLabels)
        Add(label);
}

void CMenuText::Add(const char* label)
{
    std::strncpy(labels[count], label, MENU_TEXT_LENGTH - 1);
    ++count;
}
