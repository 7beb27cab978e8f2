#pragma once
// Lines of debug text one under the other from the top-left corner of the screen.
#include <cstdarg>
#include <cstdio>

#include "engine/font/Font.h"

class DebugText {
public:
    explicit DebugText(CFont& font) : font(font) {}

    void Line(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char text[128];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(text, sizeof text, format, arguments);
        va_end(arguments);
        font.DrawTextColour(0.0f, y, text, TEXT_COLOUR, TEXT_SCALE, 0);
        y += font.GetTextHeight(TEXT_SCALE);
    }

private:
    static constexpr D3DCOLOR TEXT_COLOUR = 0xFFFFFF00;
    static constexpr float TEXT_SCALE = 0.7f;

    CFont& font;
    float y = 0.0f;
};
