#pragma once
// Bakes a bitmap font from an outline font with FreeType: the character list, a square glyph
// texture (white, coverage in alpha) and the mask that marks where each glyph lies in it.
#include <cstdint>
#include <string>
#include <vector>

struct FontBakeSettings {
    std::string facePath;   // a font file FreeType reads (.ttf, .otf)
    unsigned pixelSize;     // nominal em size in texels
    unsigned margin;        // empty texels added on each side of every glyph
    std::string characters; // glyph order; each byte is its character code (Latin-1)
};

struct BakedFont {
    unsigned side = 0;                 // the texture and the mask are side x side
    std::vector<std::uint8_t> chars;   // Main.dat
    std::vector<std::uint8_t> mask;    // Mask.dat: 0xFF border, else the glyph's coverage, at most 0xFE
    std::vector<std::uint32_t> texels; // 0xAARRGGBB, rows top-down
};

// Throws std::runtime_error when the face cannot be read or lacks a character.
BakedFont BakeFont(const FontBakeSettings& settings);

// Printable ASCII, the space first.
std::string PrintableAscii();
