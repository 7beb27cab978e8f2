#pragma once
// A font built from a drawn mask: 'A' 10 texels wide, ' ' 4, 'i' 2, line height 8; so the blank
// width is 5.5 and the letter spacing 1.
#include <string>

#include "engine/font/Font.h"
#include "tests/font/TestMask.h"

// cells: how many cells the mask holds (at most 4), by default one per character.
inline void BuildTestGlyphs(CFont& font, const std::string& chars = "A i", std::size_t cells = 0)
{
    TestMask mask(32);
    const std::size_t runs[] = {11, 5, 3, 11};
    std::size_t left = 1;
    for (std::size_t i = 0; i < (cells ? cells : chars.size()); ++i) {
        mask.Cell(left, 1, runs[i], 8);
        left += runs[i] + 1;
    }
    font.BuildGlyphs(reinterpret_cast<const std::uint8_t*>(chars.data()), chars.size(), mask.bytes.data(),
                     mask.bytes.size());
}
