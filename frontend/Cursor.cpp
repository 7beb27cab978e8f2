#include "frontend/Cursor.h"

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"

CCursor cursor;

namespace {

constexpr float CURSOR_TEXTURE_SIZE = 64.0f;
constexpr float CURSOR_SIZE = 32.0f;

// A count rising 0..half-1 and falling back over a period of 2 x half steps.
int Triangle(std::uint32_t steps, int half)
{
    const int phase = static_cast<int>(steps % static_cast<std::uint32_t>(2 * half));
    return phase < half ? phase : 2 * half - 1 - phase;
}

int Channel(float weight)
{
    return static_cast<int>(weight * 255.0f);
}

} // namespace

CursorPulse CursorPulseAt(std::uint32_t milliseconds)
{
    const int colourStep = Triangle(milliseconds / 50, 50);
    const int growStep = Triangle(milliseconds / 30, 8);
    return {1.0f - 0.01f * static_cast<float>(colourStep), 1.0f - 0.02f * static_cast<float>(colourStep),
            0.5f * static_cast<float>(growStep)};
}

void CCursor::Load()
{
    cursorTexture = d3dRender.LoadTexture("Data/Interface/Cursor/Cursor.dds", 1);
    haloTexture = d3dRender.LoadTexture("Data/Interface/Cursor/Galo.bmp", 1);
    quad.SetSprite(cursorTexture, CURSOR_TEXTURE_SIZE, 0.0f, 0.0f, CURSOR_TEXTURE_SIZE, CURSOR_TEXTURE_SIZE);
    loaded = 1;
}

void CCursor::Release()
{
    if (!loaded)
        return;
    d3dRender.ReleaseTexture(cursorTexture);
    d3dRender.ReleaseTexture(haloTexture);
    cursorTexture = -1;
    haloTexture = -1;
    loaded = 0;
}

void CCursor::Update() {}

void CCursor::Draw()
{
    if (!visible || !loaded)
        return;
    const CursorPulse pulse = CursorPulseAt(gameTimer.realTime);
    const float x = static_cast<float>(mouseState.x);
    const float y = static_cast<float>(mouseState.y);
    quad.Set(x, y, x + CURSOR_SIZE + pulse.grow, y + CURSOR_SIZE + pulse.grow,
             D3DCOLOR_ARGB(255, 255, Channel(pulse.green), Channel(pulse.blue)));
    if (haloTexture >= 0)
        DrawQuadAdd(x - 100.0f, y - 100.0f, x + 120.0f, y + 120.0f,
                    D3DCOLOR_ARGB(255, 76, Channel(pulse.green * 0.3f), Channel(pulse.blue * 0.3f)), haloTexture);
}
