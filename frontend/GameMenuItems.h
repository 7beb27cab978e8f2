#pragma once
// Every button and selector of the game menu, for the operations that treat them all alike.
#include "frontend/GameMenu.h"

template <class Visit>
void ForEachItem(CGameMenu& menu, Visit visit)
{
    for (CMenuButton& item : menu.profileItems)
        visit(item);
    for (CMenuButton& item : menu.scooterItems)
        visit(item);
    for (CMenuSelector& item : menu.graphicsSelectors)
        visit(item);
    CMenuButton* const items[] = {
        &menu.profileContinue, &menu.newProfile,      &menu.deleteProfile,      &menu.createDone,
        &menu.quickRace,       &menu.career,          &menu.options,            &menu.bestResults,
        &menu.autoplay,        &menu.changeProfile,   &menu.exitGame,           &menu.scooterSelector,
        &menu.sectorSelector,  &menu.trackSelector,   &menu.difficultySelector, &menu.lengthSelector,
        &menu.racersSelector,  &menu.levelSelector,   &menu.startQuickRace,     &menu.continueCareer,
        &menu.startNewCareer,  &menu.scooterDone,     &menu.startCareerRace,    &menu.upgradeSpeed,
        &menu.upgradePower,    &menu.upgradeControl,  &menu.graphics,           &menu.audio,
        &menu.controls,        &menu.accept,          &menu.cancel,             &menu.musicVolume,
        &menu.effectsVolume,   &menu.endContinue,     &menu.endRestart,         &menu.raceContinue,
        &menu.raceRestart,     &menu.exitRace,        &menu.back,
    };
    for (CMenuButton* item : items)
        visit(*item);
}
