#include "engine/font/FontMask.h"

#include <cmath>
#include <cstring>

namespace {

constexpr std::uint8_t BORDER = 0xFF;

std::size_t SquareSide(std::size_t size)
{
    auto side = static_cast<std::size_t>(std::sqrt(static_cast<double>(size)));
    while (side * side > size)
        --side;
    while ((side + 1) * (side + 1) <= size)
        ++side;
    return side;
}

// The first border row in column 1 below row 1 ends the first band; 0 when there is none or the
// band would be empty.
std::size_t FindLineHeight(const std::uint8_t* mask, std::size_t side)
{
    for (std::size_t row = 1; row < side; ++row) {
        if (mask[row * side + 1] == BORDER)
            return row - 1;
    }
    return 0;
}

} // namespace

const char* ReadFontGlyphs(const std::uint8_t* chars, std::size_t charCount, const std::uint8_t* mask,
                           std::size_t maskSize, FontGlyphTable& table)
{
    table.count = 0;
    table.lineHeight = 0;
    if (charCount > FONT_MAX_GLYPHS)
        return "Too many chars in enumeration!";
    const std::size_t side = SquareSide(maskSize);
    if (side * side != maskSize)
        return "Mask file is not square!";
    const std::size_t lineHeight = side >= 2 ? FindLineHeight(mask, side) : 0;
    if (lineHeight == 0)
        return "Mask line height not found!";

    const float texel = 1.0f / static_cast<float>(side);
    std::size_t cells = 0;
    for (std::size_t top = 1; top < side; top += lineHeight + 1) {
        const std::uint8_t* row = mask + top * side;
        for (std::size_t left = 1; left < side; ++left) {
            if (row[left] == BORDER)
                continue;
            std::size_t run = 0;
            while (left + run < side && row[left + run] != BORDER)
                ++run;
            if (cells < charCount) {
                FontGlyph& glyph = table.glyphs[cells];
                glyph.uL = static_cast<float>(left) * texel;
                glyph.vT = static_cast<float>(top) * texel;
                glyph.uR = static_cast<float>(left + run) * texel;
                glyph.vB = static_cast<float>(top + lineHeight) * texel;
                glyph.width = static_cast<float>(run - 1);
                glyph.height = static_cast<float>(lineHeight - 1);
                glyph.character = chars[cells];
            }
            ++cells;
            left += run; // continue after the border that ended the cell
        }
    }
    if (cells != charCount)
        return "Mask cells do not match chars!";

    std::memcpy(table.chars, chars, charCount);
    table.count = static_cast<unsigned>(charCount);
    table.lineHeight = static_cast<float>(lineHeight);
    return nullptr;
}
