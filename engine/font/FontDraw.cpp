// The font's loading and drawing: the parts that go through the file system and the renderer.
#include "engine/font/Font.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/ErrorBox.h"

namespace {

// At most limit bytes of a World pack file; false when it cannot be opened.
bool ReadPackFile(const std::string& name, int limit, std::vector<std::uint8_t>& bytes)
{
    int size = 0;
    const int handle = fileSystem.Open(name.c_str(), FILE_MODE_WORLD, &size);
    if (handle == -1)
        return false;
    size = std::clamp(size, 0, limit);
    bytes.resize(static_cast<std::size_t>(size));
    const int read = size > 0 ? fileSystem.Read(bytes.data(), 1, size, handle) : 0;
    bytes.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    fileSystem.Close(handle);
    return true;
}

} // namespace

int CFont::Load(const char* folder_)
{
    Release();
    std::strncpy(folder, folder_, sizeof folder - 1);
    folder[sizeof folder - 1] = 0;
    const std::string base = folder;

    const char* error = nullptr;
    std::vector<std::uint8_t> chars, mask;
    // One byte more than a list may hold is enough to refuse a longer one.
    if (!ReadPackFile(base + "/Main.dat", FONT_MAX_GLYPHS + 1, chars))
        error = "Init chars enumeration error!";
    else if (!ReadPackFile(base + "/Mask.dat", INT_MAX, mask))
        error = "Open mask file error!";
    else
        error = BuildGlyphs(chars.data(), chars.size(), mask.data(), mask.size());
    if (error) {
        ClearGlyphs();
        ShowMessage(error, "Font error!", MB_OK);
        return 0;
    }

    textureId = d3dRender.LoadTexture((base + "/Main.dds").c_str(), 1);
    if (textureId == -1)
        textureId = d3dRender.LoadTexture((base + "/Main.bmp").c_str(), 1);
    return 1;
}

void CFont::Release()
{
    d3dRender.ReleaseTexture(textureId);
    textureId = -1;
}

float CFont::LayoutText(float x, float y, const char* text, D3DCOLOR top, D3DCOLOR bottom, float scale, int fixedWidth,
                        unsigned& quads)
{
    quads = 0;
    const float s = fontScale * scale;
    const float xf = d3dRender.xFactor;
    const float yf = d3dRender.yFactor;
    for (unsigned i = 0, length = FontTextLength(text); i < length; ++i) {
        const FontGlyph* glyph = GlyphOf(text[i]);
        if (!glyph)
            continue;
        float left, right;
        if (fixedWidth) {
            // Centred in a cell as wide as the blank.
            left = (x + (blankWidth - glyph->width) * 0.5f * s) * xf;
            right = (x + (glyph->width + blankWidth) * 0.5f * s) * xf;
            x += blankWidth * s;
        } else {
            left = x * xf;
            right = (x + glyph->width * s) * xf;
            x += (glyph->width + letterSpacing) * s;
        }
        const float upper = y * yf;
        const float lower = (y + glyph->height * s) * yf;
        ScreenVertex* quad = vertices + quads * 4;
        quad[0] = ScreenVertex {left, upper, 0, 2.0f, top, glyph->uL, glyph->vT, 0};
        quad[1] = ScreenVertex {left, lower, 0, 2.0f, bottom, glyph->uL, glyph->vB, 0};
        quad[2] = ScreenVertex {right, upper, 0, 2.0f, top, glyph->uR, glyph->vT, 0};
        quad[3] = ScreenVertex {right, lower, 0, 2.0f, bottom, glyph->uR, glyph->vB, 0};
        ++quads;
    }
    return x;
}

float CFont::DrawText(float x, float y, const char* text, D3DCOLOR top, D3DCOLOR bottom, float scale, int fixedWidth)
{
    unsigned quads = 0;
    const float end = LayoutText(x, y, text, top, bottom, scale, fixedWidth, quads);
    if (quads == 0)
        return end;
    d3dRender.SetLighting(0);
    d3dRender.SetZEnable(0);
    d3dRender.SetTextureById(textureId, 1, 0);
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    d3dRender.device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, quads * 4, quads * 2, indices, D3DFMT_INDEX16,
                                             vertices, sizeof(ScreenVertex));
    d3dRender.facesDrawn += static_cast<int>(quads * 2);
    return end;
}

float CFont::DrawTextColour(float x, float y, const char* text, D3DCOLOR colour, float scale, int fixedWidth)
{
    return DrawText(x, y, text, colour, colour, scale, fixedWidth);
}

float CFont::DrawTextGlow(float x, float y, const char* text, D3DCOLOR colour, D3DCOLOR glow, float scale)
{
    if (!*text)
        return x;
    const float s = fontScale * scale;
    const D3DCOLOR rim = glow & 0x00FFFFFFu;
    float cursor = x;
    for (unsigned i = 0, length = FontTextLength(text); i < length; ++i) {
        const FontGlyph* glyph = GlyphOf(text[i]);
        if (!glyph)
            continue;
        if (glyph->character != ' ')
            DrawGlowDisc(cursor + glyph->width * s * 0.5f, y + 1 + s * table.lineHeight * 0.5f,
                         table.lineHeight * 0.6f * s, glow, rim, 1.0f, 1.0f, nullptr);
        cursor += (glyph->width + letterSpacing) * s;
    }
    return DrawText(x, y, text, colour, colour, scale, 0);
}
