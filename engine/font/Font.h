#pragma once
// A bitmap font: a folder with the character list "Main.dat", the glyph texture "Main.dds" (or
// "Main.bmp") and the mask "Mask.dat" (engine/font/FontMask.h), all read from the World pack. Draws
// strings as textured quads on the 800 x 600 virtual screen with a vertical colour gradient,
// proportional or fixed-width.
//
// A character that the list lacks has no glyph: it is not drawn, does not advance and has no
// width. A font whose files are missing or malformed has no glyphs and draws nothing.
#include <cstddef>
#include <cstdint>

#include "engine/font/FontMask.h"
#include "engine/render/ScreenVertex.h"
#include "platform/gfx/D3DTypes.h"

struct D3DXVECTOR2;

constexpr std::uint16_t FONT_NO_GLYPH = 0xFFFF;
// Longer texts are cut to this many characters.
constexpr unsigned FONT_MAX_TEXT = 254;

// The number of characters of a text that are drawn and measured.
unsigned FontTextLength(const char* text);

class CFont {
public:
    CFont();

    // Reads the folder; a failure is shown in a "Font error!" box and leaves the font without
    // glyphs. Returns 1 on success, else 0.
    int Load(const char* folder);
    void Release();

    // Each returns the x after the last character, in virtual units. y is the text's top.
    float DrawText(float x, float y, const char* text, D3DCOLOR top, D3DCOLOR bottom, float scale, int fixedWidth);
    float DrawTextColour(float x, float y, const char* text, D3DCOLOR colour, float scale, int fixedWidth);
    // Soft discs in the glow colour behind the characters, then the text, proportional.
    float DrawTextGlow(float x, float y, const char* text, D3DCOLOR colour, D3DCOLOR glow, float scale);

    // Blank width := 0.55 and letter spacing := 0.1 of the widest glyph; returns the spacing.
    float UpdateSpacing();
    float GetTextHeight(float scale) const;
    float GetTextWidth(const char* text, float scale, int fixedWidth) const;
    // Index of the character under an x offset from the text's start, or the text's length.
    int GetCharIndexAt(const char* text, float offset, float scale, int fixedWidth) const;
    // Index of the character's glyph, FONT_NO_GLYPH when it has none.
    std::uint16_t FindChar(char character) const;
    // Texture corners of the character's glyph: (uL, vT), (uL, vB), (uR, vT), (uR, vB); left
    // unchanged when it has none.
    void GetGlyphCorners(char character, D3DXVECTOR2* topLeft, D3DXVECTOR2* bottomLeft, D3DXVECTOR2* topRight,
                         D3DXVECTOR2* bottomRight) const;

    // Builds the glyph table, the character map and the quad indices from the bytes of
    // "Main.dat" and "Mask.dat"; returns null, or the error text and leaves no glyphs.
    const char* BuildGlyphs(const std::uint8_t* chars, std::size_t charCount, const std::uint8_t* mask,
                            std::size_t maskSize);
    // Fills the vertex array with the quads of a text as DrawText draws it (virtual units turned
    // into pixels) and returns the end x; quads receives the number of quads filled.
    float LayoutText(float x, float y, const char* text, D3DCOLOR top, D3DCOLOR bottom, float scale, int fixedWidth,
                     unsigned& quads);

    char folder[256];
    FontGlyphTable table;
    std::uint16_t charMap[256]; // glyph index of each byte value
    int textureId;
    float blankWidth;
    float letterSpacing;
    float fontScale;
    ScreenVertex vertices[FONT_MAX_GLYPHS * 4];
    std::uint16_t indices[FONT_MAX_GLYPHS * 6];

private:
    const FontGlyph* GlyphOf(char character) const;
    // Character map, spacing, vertex and index arrays from the glyph table.
    void IndexGlyphs();
    void ClearGlyphs();
};
