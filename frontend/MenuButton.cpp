#include "frontend/MenuButton.h"

#include <cstring>

#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"

namespace {

constexpr float ACTIVATION_DELAY = 0.1f; // seconds of real time from the press to the action
constexpr float PRESSED_SHRINK = 0.1f;
constexpr float DISABLED_SHADE = 0.35f;
constexpr float IDLE_SHADE = 0.65f;
constexpr float HIGHLIGHT_SHADE = 0.75f;

} // namespace

D3DCOLOR MenuArgb(float a, float r, float g, float b)
{
    auto byte = [](float part) { return static_cast<unsigned>(part * 255.0f); };
    return D3DCOLOR_ARGB(byte(a), byte(r), byte(g), byte(b));
}

float MenuTextLeft(float x, float width, int alignment)
{
    switch (alignment) {
    case MENU_ALIGN_RIGHT: return x - width;
    case MENU_ALIGN_CENTRE: return x - width * 0.5f;
    default: return x;
    }
}

void CMenuButton::Init(const char* caption_, CFont* font_, float r, float g, float b, float a, int alignment_,
                       float scale_, int enabled_)
{
    std::strncpy(caption, caption_, MENU_CAPTION_LENGTH - 1);
    caption[MENU_CAPTION_LENGTH - 1] = 0;
    font = font_;
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = a;
    alignment = alignment_;
    scale = scale_;
    enabled = enabled_;
    x = y = 0;
    pressed = hover = 0;
    pressTime = 0;
}

int CMenuButton::HitTest()
{
    const float height = font->GetTextHeight(scale);
    const float width = font->GetTextWidth(caption, scale, 0);
    const float left = MenuTextLeft(x, width, alignment);
    const auto mouseX = static_cast<float>(mouseState.x);
    const auto mouseY = static_cast<float>(mouseState.y);
    if (mouseX < left || mouseX > left + width || mouseY < y - height * 0.5f || mouseY > y + height * 0.5f)
        return 0;
    if (!hover)
        gameMenu.PlayHoverSound();
    return 1;
}

int CMenuButton::OnClick()
{
    if (!inputState.leftButton || !enabled || !hover || pressed)
        return 0;
    inputState.leftButton = 0;
    Press();
    return 1;
}

void CMenuButton::PressIfFocused()
{
    if (enabled && gameMenu.focused == this && !pressed)
        Press();
}

int CMenuButton::IsActivated()
{
    if (!pressed || gameTimer.RealSecondsSince(pressTime) <= ACTIVATION_DELAY)
        return 0;
    pressed = 0;
    return 1;
}

void CMenuButton::Press()
{
    pressTime = gameTimer.realTime;
    pressed = 1;
    gameMenu.PlayPressSound();
}

void CMenuButton::Draw()
{
    hover = HitTest();
    OnClick();

    const float shade = !enabled ? DISABLED_SHADE : hover ? 1.0f : IDLE_SHADE;
    if (enabled && hover)
        gameMenu.SetFocus(this);

    const float shown = (1.0f - PRESSED_SHRINK * static_cast<float>(pressed)) * scale;
    const float height = font->GetTextHeight(shown);
    const float width = font->GetTextWidth(caption, shown, 0);
    const float top = y - height * 0.5f;
    const auto left = static_cast<float>(static_cast<int>(MenuTextLeft(x, width, alignment)));

    if (gameMenu.focused == this) {
        const float r = colour[0] * HIGHLIGHT_SHADE;
        const float g = colour[1] * HIGHLIGHT_SHADE;
        const float b = colour[2] * HIGHLIGHT_SHADE;
        DrawBevelRect(left - 4, top, left + width + 5, top + height, MenuArgb(colour[3] * 0.5f, r, g, b));
        DrawCutCornerRect(left - 4, top, left + width + 5, top + height, MenuArgb(colour[3], r, g, b), 5);
    }
    const D3DCOLOR text = MenuArgb(colour[3], colour[0] * shade, colour[1] * shade, colour[2] * shade);
    font->DrawTextGlow(left, top, caption, text, MenuArgb(colour[3], 0, 0, 0), shown);
}
