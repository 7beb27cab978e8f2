#pragma once
// Reads a bitmap font's glyph table from its character list (Main.dat) and its mask (Mask.dat).
//
// The mask is an N x N byte map in the layout of the glyph texture: 0xFF marks borders, any
// other byte glyph pixels. Row 0 and column 0 are border; glyph bands of the line height H are
// separated by border rows, the cells of a band by border columns.
#include <cstddef>
#include <cstdint>

constexpr unsigned FONT_MAX_GLYPHS = 255;

struct FontGlyph {
    float uL, vT, uR, vB; // texture corners
    float width, height;  // texels
    unsigned char character;
};

struct FontGlyphTable {
    unsigned count;
    unsigned char chars[FONT_MAX_GLYPHS];
    FontGlyph glyphs[FONT_MAX_GLYPHS];
    float lineHeight;
};

// Fills the table from the two files' bytes. Returns null on success, else the text of what is
// wrong: a list longer than FONT_MAX_GLYPHS, a mask that is not square, no line height, or
// another number of cells than characters. On failure the table holds no glyphs.
const char* ReadFontGlyphs(const std::uint8_t* chars, std::size_t charCount, const std::uint8_t* mask,
                           std::size_t maskSize, FontGlyphTable& table);
