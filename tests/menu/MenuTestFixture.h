#pragma once
// The game menu without a device: its items on the test font, the clock in the test's hands and
// a scratch working folder for "Game.ini" and "Save/".
#include <gtest/gtest.h>

#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "tests/support/ScratchFolder.h"
#include "world/scooters/Vehicle.h"

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One menu update after the real clock moved on by the milliseconds.
    void UpdateAfter(unsigned milliseconds);
    // Presses the focused item with Enter and lets its 0.1 s pass.
    void PressFocused();
    // Sends a key down and up through the window procedure.
    void Key(int virtualKey);
    // Presses the item as a click would and runs the update 0.1 s later.
    void Activate(CMenuButton& item);
    // A quick race set up and running under the closed menu.
    void RunRace();

    ScratchFolder folder;
    CVehicle raceScooter;
};
