#pragma once
// A person at the keyboard: key presses and releases through the game's window procedure only,
// arrows held or let go (with the keyboard's auto-repeat while held), decided from where the
// scooter is against the centre line.
#include <map>

#include "platform/win/WinMessages.h"

class CVehicle;

// The keyboard repeats a held key after this long, then once a frame (its rate is above 20 a second).
constexpr unsigned KEY_REPEAT_DELAY_MS = 500;

// Keys as a person's fingers hold them, told to the window procedure as a keyboard does.
class Keyboard {
public:
    void Hold(int key, bool down, unsigned now);
    void Tap(int key);
    void ReleaseAll(unsigned now);

private:
    std::map<int, unsigned> heldSince;
};

struct Keys {
    bool up = false, down = false, left = false, right = false;
};

// Steers for a point ahead on the centre line, laneOffset to the scooter's right of it (a person
// who keeps a lane off the middle), allowing for how fast the scooter already turns, and eases
// off the throttle while the road turns away.
Keys DecideKeys(const CVehicle& scooter, float laneOffset = 0.0f);

// One decision told to the keyboard: the four arrows held or let go.
void HoldKeys(Keyboard& keyboard, const Keys& keys, unsigned now);
