#pragma once
// The texts a page drew, read back from the device's draws: each glyph quad of a font's texture
// is matched to its glyph by its texture corners.
#include <string>
#include <vector>

#include "engine/font/Font.h"
#include "platform/gfx/GfxControl.h"

struct DrawnText {
    std::string text;
    float x, y;       // left top, virtual units
    D3DCOLOR colour;  // of the first glyph's top
};

// Records the device's draws from memory while it lives.
class DrawRecording {
public:
    DrawRecording();
    ~DrawRecording();
    // The texts that the font drew so far, in drawing order.
    std::vector<DrawnText> TextsOf(const CFont& font) const;

private:
    std::vector<RecordedDraw> draws;
};

// The first drawn text that starts with the prefix; null when there is none.
const DrawnText* FindText(const std::vector<DrawnText>& texts, const std::string& prefix);
