#include "tests/menu/DrawnTexts.h"

#include <cstring>

#include "engine/render/D3DRender.h"

namespace {

char GlyphCharacter(const CFont& font, const ScreenVertex* quad)
{
    for (unsigned i = 0; i < font.table.count; ++i) {
        const FontGlyph& glyph = font.table.glyphs[i];
        if (quad[0].u == glyph.uL && quad[0].v == glyph.vT && quad[3].u == glyph.uR && quad[3].v == glyph.vB)
            return static_cast<char>(glyph.character);
    }
    return '?';
}

} // namespace

DrawRecording::DrawRecording()
{
    RecordDrawsFromMemory(d3dRender.device, &draws);
}

DrawRecording::~DrawRecording()
{
    RecordDrawsFromMemory(d3dRender.device, nullptr);
}

std::vector<DrawnText> DrawRecording::TextsOf(const CFont& font) const
{
    std::vector<DrawnText> texts;
    IDirect3DBaseTexture9* glyphs = d3dRender.GetTexture(font.textureId);
    for (const RecordedDraw& draw : draws) {
        if (!glyphs || draw.texture != glyphs || draw.stride != sizeof(ScreenVertex))
            continue;
        std::vector<ScreenVertex> vertices(draw.vertices.size() / sizeof(ScreenVertex));
        std::memcpy(vertices.data(), draw.vertices.data(), vertices.size() * sizeof(ScreenVertex));
        if (vertices.size() < 4)
            continue;
        DrawnText text {"", vertices[0].x / d3dRender.xFactor, vertices[0].y / d3dRender.yFactor, vertices[0].colour};
        for (std::size_t quad = 0; quad + 4 <= vertices.size(); quad += 4)
            text.text += GlyphCharacter(font, &vertices[quad]);
        texts.push_back(text);
    }
    return texts;
}

const DrawnText* FindText(const std::vector<DrawnText>& texts, const std::string& prefix)
{
    for (const DrawnText& text : texts)
        if (text.text.compare(0, prefix.size(), prefix) == 0)
            return &text;
    return nullptr;
}
