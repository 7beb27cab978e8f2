// The splash screens, the loading screen, the logos and the menu's background picture.
#include "audio/AudioManager.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/StartupTimes.h"
#include "frontend/Background.h"
#include "frontend/Cursor.h"
#include "frontend/GameMenu.h"
#include "frontend/SplashSequence.h"
#include "platform/win/WinTime.h"

namespace {

constexpr int PICTURE_MIP_LEVELS = 1;
constexpr int LOADING_FRAMES = 5; // every buffer of the swap chain shows the loading screen
constexpr float LOADING_TEXT_SCALE = 0.4f;
constexpr const char* LOADING_TEXT = "LOADING...";

std::uint32_t SplashClockNow()
{
    return timeGetTime();
}

int LoadOnce(int& texture, const char* name)
{
    if (texture == -1)
        texture = d3dRender.LoadTexture(name, PICTURE_MIP_LEVELS);
    return texture;
}

} // namespace

void CGameMenu::ShowSplash()
{
    const int logo = d3dRender.LoadTexture("Data/Interface/GameMenu/Logo_Talvoro.bmp", PICTURE_MIP_LEVELS);
    const int picture = d3dRender.LoadTexture("splash.jpg", PICTURE_MIP_LEVELS);
    LogStartupStep("splash pictures loaded");
    RunSplashScreens(picture, logo, SplashClockNow);
    d3dRender.ReleaseTexture(logo);
    d3dRender.ReleaseTexture(picture);
    audioManager.StopMusic();
}

void CGameMenu::ShowLoading(bool present)
{
    cursor.visible = 0;
    if (backgroundNumber == -1)
        LoadBackground(-1);
    const float textLeft = 650.0f - font.GetTextWidth(LOADING_TEXT, LOADING_TEXT_SCALE, 0) * 0.5f;
    // Without presenting, the frame under way shows the screen once.
    for (int frame = 0; frame < (present ? LOADING_FRAMES : 1); ++frame) {
        if (present && FAILED(d3dRender.device->BeginScene()))
            continue;
        DrawQuad(-1.0f, -1.0f, 801.0f, 601.0f, D3DCOLOR_ARGB(255, 128, 128, 128), backgroundTexture);
        DrawLogos(100.0f);
        font.DrawTextGlow(textLeft, 550.0f, LOADING_TEXT, D3DCOLOR_ARGB(255, 255, 150, 100), D3DCOLOR_ARGB(255, 0, 0, 0),
                          LOADING_TEXT_SCALE);
        if (present) {
            d3dRender.device->EndScene();
            d3dRender.Present();
        }
    }
}

void CGameMenu::DrawLogos(float size)
{
    const D3DCOLOR opaque = D3DCOLOR_ARGB(254, 255, 255, 255);
    // The title is drawn even without its picture.
    DrawQuad(0.0f, 0.0f, size * 4.7f, size * 2.0f, opaque, LoadOnce(titleTexture, "Data/Title.dds"));
    if (LoadOnce(talvoroLogoTexture, "Data/Interface/GameMenu/Logo_Talvoro.dds") >= 0)
        DrawQuad(0.0f, 550.0f, 50.0f, 600.0f, opaque, talvoroLogoTexture);
    if (LoadOnce(bulletLogoTexture, "Data/Interface/GameMenu/Logo_Bullet.bmp") >= 0)
        DrawQuad(55.0f, 560.0f, 130.0f, 590.0f, D3DCOLOR_ARGB(127, 255, 255, 255), bulletLogoTexture);
}

void CGameMenu::LoadBackground(int number)
{
    d3dRender.ReleaseTexture(backgroundTexture);
    backgroundNumber = number == -1 ? RandomBackgroundNumber() : number;
    backgroundTexture = LoadBackgroundPicture(backgroundNumber);
}
