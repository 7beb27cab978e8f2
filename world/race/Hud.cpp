#include "world/race/Hud.h"

#include <cmath>
#include <cstdio>

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

constexpr D3DCOLOR WHITE = D3DCOLOR_ARGB(255, 255, 255, 255);
constexpr D3DCOLOR TEXT_BRIGHT = D3DCOLOR_ARGB(255, 255, 155, 0);
constexpr D3DCOLOR TEXT_DIM = D3DCOLOR_ARGB(255, 180, 80, 0);
constexpr D3DCOLOR PANEL_CORNER = D3DCOLOR_ARGB(192, 92, 0, 0);
constexpr D3DCOLOR PANEL = D3DCOLOR_ARGB(192, 0, 0, 0);
constexpr D3DCOLOR BAR = D3DCOLOR_ARGB(254, 0, 0, 0);
constexpr D3DCOLOR THROTTLE = D3DCOLOR_ARGB(255, 128, 0, 0);
constexpr float TEXTURE_SIZE = 256.0f;
constexpr float PI = 3.14159265f;

// Countdown colours: "START!", 1, 2, 3.
constexpr float COUNTDOWN_COLOURS[4][3] = {{0, 1, 0}, {1, 1, 0}, {1, 0.5f, 0}, {1, 0, 0}};

// A quarter-circle gauge filled to fraction: vertex 0 is the centre, vertices 1-7 run from
// straight down towards the side. Positions are (originX + side x x' x radiusX, y' x radiusY)
// in virtual units; mirrored gauges take u = 1 - x'.
void FillFan(ScreenVertex* fan, float fraction, float originX, float side, float radiusX, float radiusY,
             D3DCOLOR colour, bool mirrored)
{
    const float xf = d3dRender.xFactor;
    const float yf = d3dRender.yFactor;
    fan[0].x = originX * xf;
    fan[0].y = 0.0f;
    fan[0].colour = colour;
    for (int i = 1; i < HUD_FAN_VERTICES; ++i) {
        const float angle = float(i - 1) / 6.0f * PI * -0.5f * fraction;
        D3DXMATRIX rotation;
        D3DXMatrixRotationZ(&rotation, angle);
        const D3DXVECTOR3 down(0.0f, 1.0f, 0.0f);
        D3DXVECTOR3 turned;
        D3DXVec3TransformCoord(&turned, &down, &rotation);
        fan[i].x = (originX + side * turned.x * radiusX) * xf;
        fan[i].y = turned.y * radiusY * yf;
        fan[i].colour = colour;
        fan[i].u = mirrored ? 1.0f - turned.x : turned.x;
        fan[i].v = turned.y;
    }
}

void DrawFan(const ScreenVertex* fan)
{
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    d3dRender.device->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, HUD_FAN_VERTICES - 2, fan, sizeof(ScreenVertex));
    d3dRender.facesDrawn += HUD_FAN_VERTICES - 2;
}

void ResetFan(ScreenVertex* fan, float u, float v)
{
    for (int i = 0; i < HUD_FAN_VERTICES; ++i)
        fan[i] = ScreenVertex {0, 0, 0, 1.0f, WHITE, u, v, 0};
}

} // namespace

CHud::CHud()
    : visible(0), timeBarBackTexture(-1), timeBarTexture(-1), speedBarBackTexture(-1), speedBarTexture(-1), gap(0)
{
}

int CHud::Init()
{
    font.Load("Data/Interface/Fonts/Game 01");
    font.letterSpacing = -font.UpdateSpacing();
    font.fontScale = 1.0f;
    timeBarBackTexture = d3dRender.LoadTexture("Data/Interface/HUD/TimeBarBack.dds", 1);
    timeBarTexture = d3dRender.LoadTexture("Data/Interface/HUD/TimeBar.dds", 1);
    speedBarBackTexture = d3dRender.LoadTexture("Data/Interface/HUD/SpeedBarBack.dds", 1);
    speedBarTexture = d3dRender.LoadTexture("Data/Interface/HUD/SpeedBar.dds", 1);
    leftPanel.SetSprite(timeBarBackTexture, TEXTURE_SIZE, 0, 0, TEXTURE_SIZE, TEXTURE_SIZE);
    rightPanel.SetSprite(speedBarBackTexture, TEXTURE_SIZE, 0, 0, TEXTURE_SIZE, TEXTURE_SIZE);
    ResetFan(leftFan, 0.05f, 0.05f);
    ResetFan(rightFan, 0.95f, 0.05f);
    visible = 0;
    gap = 0.0f;
    return 1;
}

void CHud::Release()
{
    font.Release();
    for (int* id : {&timeBarBackTexture, &timeBarTexture, &speedBarBackTexture, &speedBarTexture}) {
        if (*id != -1)
            d3dRender.ReleaseTexture(*id);
        *id = -1;
    }
}

void CHud::Update() {}

void CHud::Draw()
{
    DrawCountdown();
    if (!visible || !playerVehicle || gameMenu.page != 0)
        return;
    DrawProgressPanel();
    DrawSpeedPanel();
}

void CHud::DrawCountdown()
{
    if (race.sequence != RACE_SEQUENCE_START || race.phase < 3 || race.phase > 7)
        return;
    const int n = CountdownNumber(race.phase);
    char text[16];
    if (n > 0)
        std::snprintf(text, sizeof text, "%i", n);
    else
        std::snprintf(text, sizeof text, "START!");
    const float t = race.phaseTimer * 0.6666667f;
    const float scale = (1.0f - t) * 2.5f;
    const float* rgb = COUNTDOWN_COLOURS[n];
    const D3DCOLOR colour = D3DCOLOR_ARGB(unsigned(t * 255.0f), unsigned(rgb[0] * 255.0f), unsigned(rgb[1] * 255.0f),
                                          unsigned(rgb[2] * 255.0f));
    const float h = font.GetTextHeight(scale);
    const float w = font.GetTextWidth(text, scale, 0);
    font.DrawTextGlow(400.0f - w * 0.5f, 300.0f - 2.0f * h, text, colour, D3DCOLOR_ARGB(255, 0, 0, 0), scale);
}

void CHud::UpdateGap()
{
    if (track.racerCount <= 1)
        return;
    const CVehicle& player = *playerVehicle;
    if (player.place == 0) {
        const CVehicle& second = *track.racerOrder[1];
        if (player.distanceToFinish > 0.0f)
            gap = (second.distanceToFinish - player.distanceToFinish) / second.topSpeed;
    } else {
        const CVehicle& leader = *track.racerOrder[0];
        if (leader.distanceToFinish > 0.0f)
            gap = (leader.distanceToFinish - player.distanceToFinish) / player.topSpeed;
    }
}

void CHud::DrawProgressPanel()
{
    const CVehicle& player = *playerVehicle;
    leftPanel.Set(-1, -1, 200, 150, PANEL_CORNER, PANEL, PANEL, PANEL);
    DrawQuad(-1, -1, 200, 120, BAR, timeBarTexture);

    const float progress = ProgressPercent(player.distanceToFinish, track.trackLength);
    FillFan(leftFan, progress / 100.0f, 0.0f, 1.0f, 200.0f, 120.0f, WHITE, false);
    d3dRender.SetTextureById(timeBarTexture, 1, 0);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    DrawFan(leftFan);

    char text[32];
    FormatRaceTime(text, sizeof text, gameTimer.SecondsSince(track.raceStartTime));
    const float gapX = font.DrawTextColour(10, 5, text, TEXT_BRIGHT, 0.6f, 0) + 10.0f;

    UpdateGap();
    FormatGap(text, sizeof text, gap);
    font.DrawTextColour(gapX, 10, text, gap >= 0.0f ? D3DCOLOR_ARGB(255, 0, 204, 0) : D3DCOLOR_ARGB(255, 204, 0, 0),
                        0.4f, 0);

    std::snprintf(text, sizeof text, "%d", player.place + 1);
    font.DrawTextColour(5, 28, text, TEXT_BRIGHT, 0.85f, 0);
    const float countX = font.GetTextWidth(text, 0.85f, 0) + 5.0f;
    std::snprintf(text, sizeof text, "/%d", int(track.racerCount));
    font.DrawTextColour(countX, 38, text, TEXT_DIM, 0.6f, 0);

    std::snprintf(text, sizeof text, "%d", int(progress));
    font.DrawTextColour(8, 62, text, TEXT_BRIGHT, 0.6f, 0);
    const float percentX = font.GetTextWidth(text, 0.6f, 0) + 10.0f;
    font.DrawTextColour(percentX, 65, "%", TEXT_DIM, 0.5f, 0);
}

void CHud::DrawSpeedPanel()
{
    const CVehicle& player = *playerVehicle;
    rightPanel.Set(600, -1, 801, 150, PANEL, PANEL, PANEL_CORNER, PANEL);
    DrawQuad(600, -1, 801, 120, BAR, speedBarTexture);
    d3dRender.SetTextureById(speedBarTexture, 1, 0);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    FillFan(rightFan, player.throttleLevel * 0.01f, 800.0f, -1.0f, 140.0f, 105.0f, THROTTLE, true);
    DrawFan(rightFan);
    FillFan(rightFan, std::fmin(1.0f, player.speed / player.topSpeed), 800.0f, -1.0f, 200.0f, 120.0f, WHITE, true);
    DrawFan(rightFan);
    d3dRender.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);

    char text[32];
    std::snprintf(text, sizeof text, "%d", int(player.speed * 3.6f));
    font.DrawTextColour(792.0f - font.GetTextWidth(text, 0.8f, 1), 3, text, TEXT_BRIGHT, 0.8f, 1);
    font.DrawTextColour(792.0f - font.GetTextWidth("Km/h", 0.5f, 1), 33, "Km/h", D3DCOLOR_ARGB(255, 155, 55, 0), 0.5f,
                        1);
}
