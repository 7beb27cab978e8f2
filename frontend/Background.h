#pragma once
// The menu background: two pictures cross-fading every 6 s (5 s steady, 1 s fade) with two
// scroll screens drifting across them in red, or the scroll screens alone over a paused race.
#include "platform/gfxx/D3DXMath.h"

constexpr int BACKGROUND_PICTURES = 12; // "Back01.bmp" .. "Back12.bmp"
constexpr int SCROLL_SCREEN_CAPACITY = 64;
constexpr int SCROLL_SCREEN_SCAN_LIMIT = 100;
constexpr int SCROLL_SLOTS = 2;

enum BackgroundMode {
    BACKGROUND_NONE = 0,
    BACKGROUND_PICTURES_AND_SCROLL = 1,
    BACKGROUND_SCROLL_ONLY = 2,
};

// Loads "Data/Interface/GameMenu/Backgrounds/Back%02d.bmp"; the texture id or -1.
int LoadBackgroundPicture(int number);
// A picture number 1..12 from rand().
int RandomBackgroundNumber();

struct ScrollSlot {
    int texture; // -1 idle
    float timer; // seconds since it started
    D3DXVECTOR3 position;  // virtual units
    D3DXVECTOR3 direction; // unit vector
};

class CBackground {
public:
    // Mode, argument, timers and count 0; numbers and textures -1; the scroll slots zero.
    CBackground();

    // Loads "Data/Interface/GameMenu/ScrollScreens/Screen%02d.jpg" from 01 up while they are in
    // the textures pack, at most 64.
    void LoadScrollScreens();
    // The pictures, then every scroll screen.
    void Release();
    // Both pictures released, both scroll slots idle.
    void ReleaseBackgrounds();
    // Mode 1 starts from the menu's background picture.
    void SetBackground(int mode, int argument);
    // SetBackground with the first picture's number given.
    void SetBackgroundPicture(int mode, int argument, int pictureNumber);
    // One frame on the clock's real step.
    void Draw();

    int mode; // BackgroundMode
    int argument; // kept, not used
    float changeTimer; // seconds since the current picture became steady
    float crossFade;   // 0..1
    int currentNumber, nextNumber;   // -1 none
    int currentTexture, nextTexture; // -1 none
    int scrollScreens[SCROLL_SCREEN_CAPACITY];
    int scrollScreenCount;
    ScrollSlot scrollSlots[SCROLL_SLOTS];

private:
    void DrawPictures(float step);
    void DrawScrollScreens(float step);
    // Leaves the slot idle when no scroll screen is loaded.
    void StartScrollSlot(int slot);
};

extern CBackground background;
