#pragma once
// What the menu's page drawing shares: its named colours, pulses, panels and text placement.
#include <cstddef>
#include <cstdint>

#include "engine/font/Font.h"

namespace menu_colour {
constexpr D3DCOLOR SHADE = 0x80000000;
constexpr D3DCOLOR PAUSE_SHADE = 0xA0000000;
constexpr D3DCOLOR HIDER_WHITE = 0xFEFFFFFF;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;
constexpr D3DCOLOR BLACK = 0xFF000000;
constexpr D3DCOLOR CREAM = 0xFFFFFFCC;
constexpr D3DCOLOR OLIVE = 0xFF646400;
constexpr D3DCOLOR DARK_RED = 0xFF320000;
constexpr D3DCOLOR LAVENDER = 0xFFBFBFFF;
constexpr D3DCOLOR ORANGE = 0xFFFF8000;
constexpr D3DCOLOR BRONZE = 0xFF997F33;
constexpr D3DCOLOR LIGHT_YELLOW = 0xFFFFFF7F;
constexpr D3DCOLOR AMBER = 0xFFFFBF00;
constexpr D3DCOLOR ALARM_RED = 0xFFFF3F3F;
constexpr D3DCOLOR MAROON = 0xFF800000;
constexpr D3DCOLOR BURNT_ORANGE = 0xFFBF3F00;
constexpr D3DCOLOR KHAKI = 0xFF969600;
constexpr D3DCOLOR PURPLE = 0xFF782896;
constexpr D3DCOLOR GREY = 0xFF646464;
constexpr D3DCOLOR BROWN = 0xFF9B6900;
constexpr D3DCOLOR SLATE = 0xFF404080;
constexpr D3DCOLOR DARK_OLIVE = 0xFF696900;
constexpr D3DCOLOR GREEN = 0xFF00FF00;
constexpr D3DCOLOR CRIMSON = 0xFFC00000;
constexpr D3DCOLOR RED = 0xFFFF0000;
constexpr D3DCOLOR PALE_BLUE = 0xFF9B9BFF;
constexpr D3DCOLOR DUSK_BLUE = 0xFF64649B;
constexpr D3DCOLOR LIGHT_BLUE = 0xFFB2B2FF;
constexpr D3DCOLOR TANGERINE = 0xFFFF7F00;
} // namespace menu_colour

// The four sectors' names ("'BLUE'" ...) and colours; a fraction dims the colour.
const char* SectorName(int sector);
D3DCOLOR SectorColour(int sector, float fraction, int alpha);

// The pulses, from the real clock's milliseconds modulo 500.
D3DCOLOR WarmPulse(std::uint32_t realMilliseconds);
D3DCOLOR NamePulse(std::uint32_t realMilliseconds);
D3DCOLOR GlowPulse(std::uint32_t realMilliseconds, int alpha);
D3DCOLOR PausePulse(std::uint32_t realMilliseconds);
D3DCOLOR CellPulse(std::uint32_t realMilliseconds);
D3DCOLOR CaretPulse(std::uint32_t realMilliseconds);

// A shaded quad with a frame; a shaded bevelled box with a cut-corner outline.
void DrawPanel(float x1, float y1, float x2, float y2, D3DCOLOR frame);
void DrawBox(float x1, float y1, float x2, float y2, D3DCOLOR outline);

// Texts with a black glow (of the colour's alpha), or plain; y is the top.
void DrawCentred(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour);
void DrawRightAligned(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour);
void DrawLeft(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour);
void DrawPlainCentred(CFont& font, float x, float y, const char* text, float scale, D3DCOLOR colour);

// Race times: " m:ss.hh" on the end page (hundredths, after a blank) and "m:ss.t" in the best
// results (tenths).
void FormatFinishTime(char* text, std::size_t size, float seconds);
void FormatRecordTime(char* text, std::size_t size, float seconds);
