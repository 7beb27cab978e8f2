#pragma once
// The splash screens shown once at start: the splash picture fades in, stays and fades out,
// then the maker's logo does the same; Enter, Esc, Space or a click skips ahead. They run with
// a message loop of their own, so the window procedure keeps writing the input state.
#include <cstdint>

enum SplashStage {
    SPLASH_PICTURE_IN = 0,
    SPLASH_PICTURE_OUT = 1,
    SPLASH_PICTURE_DONE = 2,
    SPLASH_LOGO_IN = 4,
    SPLASH_LOGO_OUT = 5,
    SPLASH_END = 6,
};

// One time unit of the splash in milliseconds: t = elapsed x 0.0006.
constexpr float SPLASH_TIME_SCALE = 0.0006f;
constexpr float SPLASH_HOLD = 2.0f;

// The stages and their clock, without drawing.
class CSplashSequence {
public:
    void Start(bool hasPicture, bool hasLogo, std::uint32_t now);
    // A skip input: the picture's stages jump to the logo (or the end without one), the logo's
    // to the end. Restarts the clock.
    void Skip(std::uint32_t now);
    // False while a hold keeps the last frame on screen; when the hold runs out the clock
    // restarts.
    bool Tick(std::uint32_t now);
    // Stage changes at the start of a drawn frame (a missing picture, the picture's end).
    void BeginFrame(std::uint32_t now);
    // Alpha 0..254 of what the stage draws.
    int Alpha() const;
    // Stage changes once the frame is drawn.
    void EndFrame();
    bool ShowsPicture() const { return stage == SPLASH_PICTURE_IN || stage == SPLASH_PICTURE_OUT; }
    bool ShowsLogo() const { return stage == SPLASH_LOGO_IN || stage == SPLASH_LOGO_OUT; }
    bool Ended() const { return stage == SPLASH_END; }

    int stage;
    float hold; // 0 none
    std::uint32_t start;
    float t;
    bool hasPicture;
    bool hasLogo;

private:
    void JumpToLogo(std::uint32_t now);
};

using SplashClock = std::uint32_t (*)();

// Runs the splash with the two textures (-1 none) until it ends: every waiting window message is
// dispatched each pass, the skip inputs are read and cleared, the start jingle plays while the
// picture shows when no music is playing.
void RunSplashScreens(int pictureTexture, int logoTexture, SplashClock clock);
