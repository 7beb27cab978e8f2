#include "frontend/Background.h"

#include <cstdio>
#include <cstdlib>

#include "engine/files/FileSystem.h"
#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/shell/GameTimer.h"

namespace {

constexpr int PICTURE_MIP_LEVELS = 1;
constexpr float STEADY_SECONDS = 5.0f;
constexpr float SCROLL_SPEED = 600.0f * 0.1f; // virtual units per second
constexpr float SCROLL_LIFETIME = 10.0f;
constexpr float SCROLL_HALF_LIFE = 5.0f;
constexpr float SCROLL_ENTRY_OFFSET = 300.0f;
constexpr float SCROLL_HALF_WIDTH = 350.0f;
constexpr float SCROLL_HALF_HEIGHT = 260.0f;

D3DCOLOR Grey(float weight)
{
    const int level = static_cast<int>(weight * 255.0f);
    return D3DCOLOR_ARGB(255, level, level, level);
}

// Brightness of a scroll screen: up over its first 5 s, down over the next 5 s.
float ScrollBrightness(float timer)
{
    return timer < SCROLL_HALF_LIFE ? timer * 0.2f : 1.0f - (timer - SCROLL_HALF_LIFE) * 0.2f;
}

void DrawFullScreen(int texture, float weight)
{
    if (texture >= 0)
        DrawQuadAdd(-1.0f, -1.0f, 801.0f, 601.0f, Grey(weight), texture);
}

} // namespace

int LoadBackgroundPicture(int number)
{
    char path[96];
    std::snprintf(path, sizeof path, "Data/Interface/GameMenu/Backgrounds/Back%02d.bmp", number);
    return d3dRender.LoadTexture(path, PICTURE_MIP_LEVELS);
}

int RandomBackgroundNumber()
{
    return std::rand() % BACKGROUND_PICTURES + 1;
}

CBackground::CBackground()
    : mode(BACKGROUND_NONE), argument(0), changeTimer(0.0f), crossFade(0.0f), currentNumber(-1), nextNumber(-1),
      currentTexture(-1), nextTexture(-1), scrollScreenCount(0), scrollSlots {}
{
    for (int& screen : scrollScreens)
        screen = -1;
    for (ScrollSlot& slot : scrollSlots)
        slot.texture = -1;
}

void CBackground::LoadScrollScreens()
{
    for (int number = 1; number <= SCROLL_SCREEN_SCAN_LIMIT && scrollScreenCount < SCROLL_SCREEN_CAPACITY;
         ++number) {
        char path[96];
        std::snprintf(path, sizeof path, "Data/Interface/GameMenu/ScrollScreens/Screen%02d.jpg", number);
        const int handle = fileSystem.Open(path, FILE_MODE_TEXTURES);
        if (handle < 0)
            break;
        fileSystem.Close(handle);
        scrollScreens[scrollScreenCount++] = d3dRender.LoadTexture(path, PICTURE_MIP_LEVELS);
    }
}

void CBackground::Release()
{
    ReleaseBackgrounds();
    for (int i = 0; i < scrollScreenCount; ++i) {
        d3dRender.ReleaseTexture(scrollScreens[i]);
        scrollScreens[i] = -1;
    }
    scrollScreenCount = 0;
}

void CBackground::ReleaseBackgrounds()
{
    currentNumber = -1;
    nextNumber = -1;
    d3dRender.ReleaseTexture(currentTexture);
    d3dRender.ReleaseTexture(nextTexture);
    currentTexture = -1;
    nextTexture = -1;
    for (ScrollSlot& slot : scrollSlots)
        slot.texture = -1;
}

void CBackground::SetBackgroundPicture(int newMode, int newArgument, int pictureNumber)
{
    mode = newMode;
    argument = newArgument;
    ReleaseBackgrounds();
    if (mode == BACKGROUND_PICTURES_AND_SCROLL) {
        changeTimer = 0.0f;
        crossFade = 0.0f;
        currentNumber = pictureNumber;
        currentTexture = LoadBackgroundPicture(pictureNumber);
    }
    if (mode == BACKGROUND_PICTURES_AND_SCROLL || mode == BACKGROUND_SCROLL_ONLY)
        StartScrollSlot(0);
}

void CBackground::Draw()
{
    const float step = gameTimer.realStep;
    if (mode == BACKGROUND_PICTURES_AND_SCROLL) {
        DrawScrollScreens(step);
        DrawPictures(step);
    } else if (mode == BACKGROUND_SCROLL_ONLY) {
        DrawScrollScreens(step);
    }
}

void CBackground::DrawPictures(float step)
{
    changeTimer += step;
    float currentWeight = 0.5f;
    float nextWeight = 0.5f;
    if (changeTimer >= STEADY_SECONDS) {
        if (nextNumber == -1) {
            nextNumber = RandomBackgroundNumber();
            nextTexture = LoadBackgroundPicture(nextNumber);
            crossFade = 0.0f;
        }
        crossFade += step;
        if (crossFade >= 1.0f) {
            d3dRender.ReleaseTexture(currentTexture);
            currentNumber = nextNumber;
            currentTexture = nextTexture;
            nextNumber = -1;
            nextTexture = -1;
            changeTimer = 0.0f;
        } else {
            currentWeight = (1.0f - crossFade) * 0.5f;
            nextWeight = crossFade * 0.5f;
        }
    }
    DrawFullScreen(currentTexture, currentWeight);
    DrawFullScreen(nextTexture, nextWeight);
}

void CBackground::DrawScrollScreens(float step)
{
    for (int i = 0; i < SCROLL_SLOTS; ++i) {
        ScrollSlot& slot = scrollSlots[i];
        if (slot.texture < 0)
            continue;
        slot.position += slot.direction * (SCROLL_SPEED * step);
        slot.timer += step;
        if (slot.timer >= SCROLL_LIFETIME) {
            StartScrollSlot(i);
            continue;
        }
        const int red = static_cast<int>(ScrollBrightness(slot.timer) * 255.0f);
        DrawQuadAdd(slot.position.x - SCROLL_HALF_WIDTH, slot.position.y - SCROLL_HALF_HEIGHT,
                    slot.position.x + SCROLL_HALF_WIDTH, slot.position.y + SCROLL_HALF_HEIGHT,
                    D3DCOLOR_ARGB(255, red, 0, 0), slot.texture);
    }
    if (scrollSlots[0].texture >= 0 && scrollSlots[0].timer >= SCROLL_HALF_LIFE && scrollSlots[1].texture < 0)
        StartScrollSlot(1);
}

void CBackground::StartScrollSlot(int index)
{
    ScrollSlot& slot = scrollSlots[index];
    slot.texture = -1;
    if (scrollScreenCount == 0)
        return;
    slot.texture = scrollScreens[std::rand() % scrollScreenCount];
    slot.timer = 0.0f;
    const float x = static_cast<float>(std::rand() % 1001) * 0.01f - 5.0f;
    const float y = static_cast<float>(std::rand() % 1001) * 0.01f - 5.0f;
    const D3DXVECTOR3 direction = x == 0.0f && y == 0.0f ? D3DXVECTOR3(1.0f, 0.0f, 0.0f) : D3DXVECTOR3(x, y, 0.0f);
    D3DXVec3Normalize(&slot.direction, &direction);
    slot.position = D3DXVECTOR3(400.0f - SCROLL_ENTRY_OFFSET * slot.direction.x,
                                300.0f - SCROLL_ENTRY_OFFSET * slot.direction.y,
                                -SCROLL_ENTRY_OFFSET * slot.direction.z);
}
