// Feeds arbitrary bytes to the font glyph table reader: the first byte splits the input into a
// character list and a mask.
#include <cstddef>
#include <cstdint>

#include "engine/font/FontMask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t charCount = data[0] <= size - 1 ? data[0] : size - 1;
    const std::uint8_t* chars = data + 1;
    static FontGlyphTable table;
    ReadFontGlyphs(chars, charCount, chars + charCount, size - 1 - charCount, table);
    return 0;
}
