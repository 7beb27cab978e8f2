#include "frontend/MenuDrawing.h"

#include <cstdio>

#include "engine/render/Draw2D.h"

namespace {

struct SectorLook {
    const char* name;
    int r, g, b;
};
constexpr SectorLook SECTORS[4] = {
    {"'BLUE'", 100, 150, 200},
    {"'GREEN'", 50, 200, 50},
    {"'YELLOW'", 200, 200, 50},
    {"'RED'", 200, 50, 50},
};

const SectorLook& SectorAt(int sector)
{
    return SECTORS[sector < 0 ? 0 : sector > 3 ? 3 : sector];
}

int Phase(std::uint32_t realMilliseconds)
{
    return static_cast<int>(realMilliseconds % 500);
}

D3DCOLOR Argb(int a, float r, float g, float b)
{
    return D3DCOLOR_ARGB(a, static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
}

} // namespace

const char* SectorName(int sector)
{
    return SectorAt(sector).name;
}

D3DCOLOR SectorColour(int sector, float fraction, int alpha)
{
    const SectorLook& look = SectorAt(sector);
    // The colour is held as floats of value / 255 and turned back into bytes truncated.
    auto part = [fraction](int value) { return static_cast<float>(value) / 255.0f * fraction * 255.0f; };
    return Argb(alpha, part(look.r), part(look.g), part(look.b));
}

D3DCOLOR WarmPulse(std::uint32_t ms)
{
    const int v = Phase(ms);
    return D3DCOLOR_ARGB(255, 155 + static_cast<int>(v * 0.2f), 50 + static_cast<int>(v * 0.1f), 0);
}

D3DCOLOR NamePulse(std::uint32_t ms)
{
    const int v = Phase(ms);
    return D3DCOLOR_ARGB(255, 155 + static_cast<int>(v * 0.1f), 155 + static_cast<int>(v * 0.2f), 100);
}

D3DCOLOR GlowPulse(std::uint32_t ms, int alpha)
{
    const float s = 0.5f + static_cast<float>(Phase(ms)) * 0.001f;
    return Argb(alpha, s * 255, s * 0.75f * 255, 0);
}

D3DCOLOR PausePulse(std::uint32_t ms)
{
    const float f = 0.75f + static_cast<float>(Phase(ms)) * 0.0005f;
    return Argb(255, f * 255, f * 0.5f * 255, 0);
}

D3DCOLOR CellPulse(std::uint32_t ms)
{
    float p = static_cast<float>(Phase(ms)) * 0.004f;
    if (p > 1.0f)
        p = 2.0f - p;
    return Argb(255, p * 255, p * 0.75f * 255, p * 0.5f * 255);
}

D3DCOLOR CaretPulse(std::uint32_t ms)
{
    const int c = static_cast<int>(static_cast<float>(Phase(ms)) * 0.4f);
    return D3DCOLOR_ARGB(255, 55 + c, 55 + c, 0);
}

void DrawPanel(float x1, float y1, float x2, float y2, D3DCOLOR frame)
{
    DrawQuad(x1, y1, x2, y2, menu_colour::SHADE, -1);
    DrawFrame(x1, y1, x2, y2, frame);
}

void DrawBox(float x1, float y1, float x2, float y2, D3DCOLOR outline)
{
    DrawBevelRect(x1, y1, x2, y2, menu_colour::SHADE);
    DrawCutCornerRect(x1, y1, x2, y2, outline, 5);
}

void DrawLeft(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour)
{
    font.DrawTextGlow(x, y, text, colour, colour & 0xFF000000, scale);
}

void DrawCentred(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour)
{
    DrawLeft(font, x - font.GetTextWidth(text, scale, 0) * 0.5f, y, text, scale, colour);
}

void DrawRightAligned(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour)
{
    DrawLeft(font, x - font.GetTextWidth(text, scale, 0), y, text, scale, colour);
}

void DrawPlainCentred(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour)
{
    font.DrawTextColour(x - font.GetTextWidth(text, scale, 0) * 0.5f, y, text, colour, scale, 0);
}

void FormatFinishTime(char* text, std::size_t size, float t)
{
    const int whole = static_cast<int>(t);
    std::snprintf(text, size, " %d:%02d.%02d", static_cast<int>(t * 0.016666668f),
                  whole % 60, static_cast<int>((t - static_cast<float>(whole)) * 100.0f));
}

void FormatRecordTime(char* text, std::size_t size, float t)
{
    const int whole = static_cast<int>(t);
    std::snprintf(text, size, "%d:%02d.%01d", static_cast<int>(t * 0.016666668f),
                  whole % 60, static_cast<int>((t - static_cast<float>(whole)) * 10.0f));
}
