#include "tools/makedata/FontBaker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

constexpr std::uint8_t BORDER = 0xFF;

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// One glyph's coverage in a box as wide as the glyph's advance (plus what its ink overhangs)
// and as high as the line.
struct GlyphImage {
    unsigned width = 0;
    std::vector<std::uint8_t> coverage; // width x line height
};

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error("font baker: " + what + " (" + path + ")");
}

GlyphImage RenderGlyph(FT_Face face, unsigned char character, int ascender, unsigned lineHeight, unsigned margin,
                       const std::string& path)
{
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0 && character != ' ')
        Fail(std::string("no glyph for '") + static_cast<char>(character) + "'", path);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        Fail("cannot render a glyph", path);
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const int inkLeft = std::min(0, slot->bitmap_left);
    const int inkRight = std::max(advance, slot->bitmap_left + static_cast<int>(bitmap.width));

    GlyphImage image;
    image.width = static_cast<unsigned>(inkRight - inkLeft) + 2 * margin;
    image.coverage.assign(std::size_t(image.width) * lineHeight, 0);
    const int originX = static_cast<int>(margin) - inkLeft + slot->bitmap_left;
    const int originY = ascender - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const int y = originY + static_cast<int>(row);
        if (y < 0 || y >= static_cast<int>(lineHeight))
            continue;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = originX + static_cast<int>(column);
            image.coverage[std::size_t(y) * image.width + std::size_t(x)] = bitmap.buffer[row * bitmap.pitch + column];
        }
    }
    return image;
}

// Left column and band top of every cell when the cells are laid out row by row in a square
// of the given side; false when they do not fit.
bool PlaceCells(const std::vector<GlyphImage>& glyphs, unsigned bandHeight, unsigned side,
                std::vector<std::pair<unsigned, unsigned>>& places)
{
    places.clear();
    unsigned left = 1, top = 1;
    for (const GlyphImage& glyph : glyphs) {
        const unsigned cellWidth = glyph.width + 1; // one empty column before the border
        if (left + cellWidth > side) {
            left = 1;
            top += bandHeight + 1;
        }
        if (left + cellWidth > side || top + bandHeight > side)
            return false;
        places.emplace_back(left, top);
        left += cellWidth + 1;
    }
    return true;
}

} // namespace

std::string PrintableAscii()
{
    std::string characters;
    for (char c = ' '; c <= '~'; ++c)
        characters += c;
    return characters;
}

BakedFont BakeFont(const FontBakeSettings& settings)
{
    const std::string& path = settings.facePath;
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0)
        Fail("cannot start FreeType", path);
    const std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), path.c_str(), 0, &rawFace) != 0)
        Fail("cannot read the face", path);
    const std::unique_ptr<FT_FaceRec_, FaceCloser> face(rawFace);
    if (FT_Set_Pixel_Sizes(face.get(), 0, settings.pixelSize) != 0)
        Fail("cannot set the size", path);

    const FT_Size_Metrics& metrics = face->size->metrics;
    const int ascender = static_cast<int>((metrics.ascender + 63) >> 6);
    const int descender = static_cast<int>((-metrics.descender + 63) >> 6);
    const auto lineHeight = static_cast<unsigned>(ascender + descender);

    std::vector<GlyphImage> glyphs;
    for (char character : settings.characters)
        glyphs.push_back(RenderGlyph(face.get(), static_cast<unsigned char>(character), ascender, lineHeight,
                                     settings.margin, path));

    // The band is one row higher than the line: the glyph spans the band's texels but is drawn
    // one texel shorter, so its last row stays empty.
    const unsigned bandHeight = lineHeight + 1;
    std::vector<std::pair<unsigned, unsigned>> places;
    unsigned side = 64;
    while (!PlaceCells(glyphs, bandHeight, side, places)) {
        side *= 2;
        if (side > 4096)
            Fail("glyphs do not fit a 4096 texture", path);
    }

    BakedFont font;
    font.side = side;
    font.chars.assign(settings.characters.begin(), settings.characters.end());
    font.mask.assign(std::size_t(side) * side, BORDER);
    font.texels.assign(std::size_t(side) * side, 0x00FFFFFFu);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphImage& glyph = glyphs[i];
        const auto [left, top] = places[i];
        for (unsigned y = 0; y < bandHeight; ++y) {
            for (unsigned x = 0; x <= glyph.width; ++x) {
                const std::uint8_t alpha =
                    y < lineHeight && x < glyph.width ? glyph.coverage[std::size_t(y) * glyph.width + x] : 0;
                const std::size_t at = std::size_t(top + y) * side + left + x;
                font.mask[at] = std::min<std::uint8_t>(alpha, BORDER - 1);
                font.texels[at] = std::uint32_t(alpha) << 24 | 0x00FFFFFFu;
            }
        }
    }
    return font;
}
