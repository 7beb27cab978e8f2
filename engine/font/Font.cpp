#include "engine/font/Font.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/gfxx/D3DXMath.h"

unsigned FontTextLength(const char* text)
{
    return static_cast<unsigned>(std::min<std::size_t>(std::strlen(text), FONT_MAX_TEXT));
}

CFont::CFont() : folder {}, textureId(-1), blankWidth(0), letterSpacing(0), fontScale(1.0f)
{
    table.count = 0;
    table.lineHeight = 0;
}

const char* CFont::BuildGlyphs(const std::uint8_t* chars, std::size_t charCount, const std::uint8_t* mask,
                               std::size_t maskSize)
{
    const char* error = ReadFontGlyphs(chars, charCount, mask, maskSize, table);
    IndexGlyphs();
    return error;
}

void CFont::ClearGlyphs()
{
    table.count = 0;
    table.lineHeight = 0;
    IndexGlyphs();
}

void CFont::IndexGlyphs()
{
    std::fill(std::begin(charMap), std::end(charMap), FONT_NO_GLYPH);
    for (unsigned i = table.count; i-- > 0;)
        charMap[table.glyphs[i].character] = static_cast<std::uint16_t>(i); // the first glyph wins
    UpdateSpacing();

    for (ScreenVertex& vertex : vertices)
        vertex = ScreenVertex {0, 0, 0, 2.0f, 0, 0, 0, 0};
    for (unsigned quad = 0; quad < FONT_MAX_GLYPHS; ++quad) {
        const auto first = static_cast<std::uint16_t>(quad * 4);
        std::uint16_t* index = indices + quad * 6;
        index[0] = first;
        index[1] = first + 1;
        index[2] = first + 2;
        index[3] = first + 2;
        index[4] = first + 1;
        index[5] = first + 3;
    }
}

float CFont::UpdateSpacing()
{
    float widest = 0;
    for (unsigned i = 0; i < table.count; ++i)
        widest = std::max(widest, table.glyphs[i].width);
    blankWidth = widest * 0.55f;
    letterSpacing = widest * 0.1f;
    return letterSpacing;
}

const FontGlyph* CFont::GlyphOf(char character) const
{
    const std::uint16_t index = charMap[static_cast<unsigned char>(character)];
    return index < table.count ? &table.glyphs[index] : nullptr;
}

std::uint16_t CFont::FindChar(char character) const
{
    return GlyphOf(character) ? charMap[static_cast<unsigned char>(character)] : FONT_NO_GLYPH;
}

void CFont::GetGlyphCorners(char character, D3DXVECTOR2* topLeft, D3DXVECTOR2* bottomLeft, D3DXVECTOR2* topRight,
                            D3DXVECTOR2* bottomRight) const
{
    const FontGlyph* glyph = GlyphOf(character);
    if (!glyph)
        return;
    *topLeft = D3DXVECTOR2(glyph->uL, glyph->vT);
    *bottomLeft = D3DXVECTOR2(glyph->uL, glyph->vB);
    *topRight = D3DXVECTOR2(glyph->uR, glyph->vT);
    *bottomRight = D3DXVECTOR2(glyph->uR, glyph->vB);
}

float CFont::GetTextHeight(float scale) const
{
    return fontScale * scale * table.lineHeight;
}

float CFont::GetTextWidth(const char* text, float scale, int fixedWidth) const
{
    float width = 0;
    for (unsigned i = 0, length = FontTextLength(text); i < length; ++i) {
        if (const FontGlyph* glyph = GlyphOf(text[i]))
            width += fixedWidth ? blankWidth : glyph->width + letterSpacing;
    }
    return width * fontScale * scale;
}

int CFont::GetCharIndexAt(const char* text, float offset, float scale, int fixedWidth) const
{
    const float k = fontScale * scale;
    const unsigned length = FontTextLength(text);
    float start = 0;
    for (unsigned i = 0; i < length; ++i) {
        const FontGlyph* glyph = GlyphOf(text[i]);
        if (!glyph)
            continue;
        const float width = (fixedWidth ? blankWidth : glyph->width) * k;
        if (offset < start + width)
            return static_cast<int>(i);
        start += width + (fixedWidth ? 0 : letterSpacing * k);
    }
    return static_cast<int>(length);
}
