#include "frontend/SplashSequence.h"

#include <algorithm>

#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameSettings.h"
#include "engine/shell/InputState.h"
#include "engine/shell/MessagePump.h"
#include "platform/win/WinTime.h"

namespace {

constexpr float FULL_ALPHA = 254.0f;

bool TakeSkipInput()
{
    if (!inputState.leftButton && !inputState.escape && !inputState.space && !inputState.enter)
        return false;
    inputState.leftButton = inputState.escape = inputState.space = inputState.enter = 0;
    return true;
}

D3DCOLOR White(int alpha)
{
    return D3DCOLOR_ARGB(static_cast<unsigned>(alpha), 255, 255, 255);
}

// The 800 x 600 picture at its own shape, centred across the back buffer: drawn with the y
// factor on both axes.
void DrawLetterboxed(int texture, int alpha)
{
    d3dRender.savedXFactor = d3dRender.xFactor;
    d3dRender.xFactor = d3dRender.yFactor;
    const float scale = d3dRender.yFactor;
    const float left = (d3dRender.screenWidth - 800.0f * scale) / 2.0f / scale;
    DrawQuad(left - 1.0f, -1.0f, d3dRender.screenWidth / scale - left + 1.0f, 601.0f, White(alpha), texture);
    d3dRender.xFactor = d3dRender.savedXFactor;
}

} // namespace

void CSplashSequence::Start(bool picture, bool logo, std::uint32_t now)
{
    hasPicture = picture;
    hasLogo = logo;
    stage = SPLASH_PICTURE_IN;
    hold = 1.0f;
    start = now;
    t = 0.0f;
}

void CSplashSequence::Skip(std::uint32_t now)
{
    if (stage >= SPLASH_END)
        return;
    hold = 0.0f;
    if (stage >= SPLASH_LOGO_IN) {
        stage = SPLASH_END;
        start = now;
        t = 0.0f;
    } else {
        JumpToLogo(now);
    }
}

bool CSplashSequence::Tick(std::uint32_t now)
{
    t = static_cast<float>(now - start) * SPLASH_TIME_SCALE;
    if (hold > 0.0f) {
        if (t < hold)
            return false;
        start = now;
        hold = 0.0f;
        t = 0.0f;
    }
    return true;
}

void CSplashSequence::BeginFrame(std::uint32_t now)
{
    if ((stage == SPLASH_PICTURE_IN && !hasPicture) || stage == SPLASH_PICTURE_DONE)
        JumpToLogo(now);
}

int CSplashSequence::Alpha() const
{
    const bool fadingIn = stage == SPLASH_PICTURE_IN || stage == SPLASH_LOGO_IN;
    const float alpha = fadingIn ? std::min(t * FULL_ALPHA, FULL_ALPHA) : std::max(FULL_ALPHA - t * FULL_ALPHA, 0.0f);
    return static_cast<int>(alpha);
}

void CSplashSequence::EndFrame()
{
    if (t < 1.0f)
        return;
    switch (stage) {
    case SPLASH_PICTURE_IN: stage = SPLASH_PICTURE_OUT; hold = SPLASH_HOLD; break;
    case SPLASH_PICTURE_OUT: stage = SPLASH_PICTURE_DONE; break;
    case SPLASH_LOGO_IN: stage = SPLASH_LOGO_OUT; hold = SPLASH_HOLD; break;
    case SPLASH_LOGO_OUT: stage = SPLASH_END; break;
    default: break;
    }
}

// The logo fades in from a fresh clock; without a logo the splash ends.
void CSplashSequence::JumpToLogo(std::uint32_t now)
{
    stage = hasLogo ? SPLASH_LOGO_IN : SPLASH_END;
    start = now;
    t = 0.0f;
}

void RunSplashScreens(int pictureTexture, int logoTexture, SplashClock clock)
{
    CSplashSequence splash;
    splash.Start(pictureTexture >= 0, logoTexture >= 0, clock());
    while (!GameSettings[SLOT_QUIT]) {
        DispatchWaitingMessages();
        if (TakeSkipInput())
            splash.Skip(clock());
        const std::uint32_t now = clock();
        if (!splash.Tick(now)) {
            Sleep(1); // the last frame stays on screen
            continue;
        }
        if (FAILED(d3dRender.device->BeginScene()))
            continue;
        d3dRender.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        splash.BeginFrame(now);
        if (splash.ShowsPicture()) {
            if (splash.stage == SPLASH_PICTURE_IN && !audioManager.musicSegment)
                audioManager.PlayMusic(2, "Data/Audio/Start logo.wav", 0.0f, 0, 100.0f);
            DrawLetterboxed(pictureTexture, splash.Alpha());
        } else if (splash.ShowsLogo()) {
            DrawQuad(360.0f, 260.0f, 440.0f, 340.0f, White(splash.Alpha()), logoTexture);
        }
        splash.EndFrame();
        d3dRender.device->EndScene();
        d3dRender.Present();
        if (splash.Ended())
            return;
    }
}
