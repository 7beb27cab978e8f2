// The pictures around the menu: the title, the maker's and the physics library's logos, the
// twelve space backgrounds and their hider, the drifting scroll screens, the cursor with its
// halo and the location photos.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"

namespace {

struct Colour {
    float r, g, b;
};

Colour operator*(Colour c, float s) { return {c.r * s, c.g * s, c.b * s}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour Mix(Colour a, Colour b, float t) { return a * (1.0f - t) + b * t; }

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
unsigned Byte(float v) { return unsigned(Clamp01(v) * 255.0f + 0.5f); }
float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }
float SmoothStep(float a, float b, float v) { return Smooth(Clamp01((v - a) / (b - a))); }

std::uint32_t Texel(Colour c, float alpha = 1.0f) { return Argb(Byte(alpha), Byte(c.r), Byte(c.g), Byte(c.b)); }

float Hash(int x, int y, unsigned seed)
{
    std::uint32_t h = std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float ValueNoise(float x, float y, unsigned seed)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = Smooth(x - float(x0)), fy = Smooth(y - float(y0));
    const float a = Hash(x0, y0, seed), b = Hash(x0 + 1, y0, seed);
    const float c = Hash(x0, y0 + 1, seed), d = Hash(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * fx) * (1.0f - fy) + (c + (d - c) * fx) * fy;
}

float Fractal(float x, float y, unsigned seed, int octaves = 5)
{
    float sum = 0.0f, weight = 0.0f, amplitude = 1.0f;
    for (int octave = 0; octave < octaves; ++octave, amplitude *= 0.5f, x *= 2.03f, y *= 2.03f) {
        sum += amplitude * ValueNoise(x, y, seed + unsigned(octave) * 17u);
        weight += amplitude;
    }
    return sum / weight;
}

// ---- A stroke alphabet: each letter is line segments in a cell 0..1 wide, 0..1 high (y down) ----

struct Stroke {
    float x1, y1, x2, y2;
};

std::vector<Stroke> LetterStrokes(char letter)
{
    switch (letter) {
    case 'A': return {{0, 1, 0.5f, 0}, {0.5f, 0, 1, 1}, {0.22f, 0.6f, 0.78f, 0.6f}};
    case 'B': return {{0, 0, 0, 1}, {0, 0, 0.8f, 0}, {0.8f, 0, 0.95f, 0.15f}, {0.95f, 0.15f, 0.95f, 0.35f},
                      {0.95f, 0.35f, 0.8f, 0.5f}, {0, 0.5f, 0.85f, 0.5f}, {0.85f, 0.5f, 1, 0.65f},
                      {1, 0.65f, 1, 0.85f}, {1, 0.85f, 0.85f, 1}, {0.85f, 1, 0, 1}};
    case 'C': return {{1, 0, 0.15f, 0}, {0.15f, 0, 0, 0.15f}, {0, 0.15f, 0, 0.85f}, {0, 0.85f, 0.15f, 1}, {0.15f, 1, 1, 1}};
    case 'E': return {{0, 0, 0, 1}, {0, 0, 1, 0}, {0, 0.5f, 0.8f, 0.5f}, {0, 1, 1, 1}};
    case 'H': return {{0, 0, 0, 1}, {1, 0, 1, 1}, {0, 0.5f, 1, 0.5f}};
    case 'I': return {{0.5f, 0, 0.5f, 1}};
    case 'L': return {{0, 0, 0, 1}, {0, 1, 1, 1}};
    case 'N': return {{0, 1, 0, 0}, {0, 0, 1, 1}, {1, 1, 1, 0}};
    case 'O': return {{0.15f, 0, 0.85f, 0}, {0.85f, 0, 1, 0.15f}, {1, 0.15f, 1, 0.85f}, {1, 0.85f, 0.85f, 1},
                      {0.85f, 1, 0.15f, 1}, {0.15f, 1, 0, 0.85f}, {0, 0.85f, 0, 0.15f}, {0, 0.15f, 0.15f, 0}};
    case 'P': return {{0, 1, 0, 0}, {0, 0, 0.85f, 0}, {0.85f, 0, 1, 0.15f}, {1, 0.15f, 1, 0.4f},
                      {1, 0.4f, 0.85f, 0.55f}, {0.85f, 0.55f, 0, 0.55f}};
    case 'R': return {{0, 1, 0, 0}, {0, 0, 0.85f, 0}, {0.85f, 0, 1, 0.15f}, {1, 0.15f, 1, 0.4f},
                      {1, 0.4f, 0.85f, 0.55f}, {0.85f, 0.55f, 0, 0.55f}, {0.5f, 0.55f, 1, 1}};
    case 'S': return {{1, 0, 0.15f, 0}, {0.15f, 0, 0, 0.15f}, {0, 0.15f, 0, 0.35f}, {0, 0.35f, 0.15f, 0.5f},
                      {0.15f, 0.5f, 0.85f, 0.5f}, {0.85f, 0.5f, 1, 0.65f}, {1, 0.65f, 1, 0.85f},
                      {1, 0.85f, 0.85f, 1}, {0.85f, 1, 0, 1}};
    case 'T': return {{0, 0, 1, 0}, {0.5f, 0, 0.5f, 1}};
    case 'U': return {{0, 0, 0, 0.85f}, {0, 0.85f, 0.15f, 1}, {0.15f, 1, 0.85f, 1}, {0.85f, 1, 1, 0.85f}, {1, 0.85f, 1, 0}};
    case 'V': return {{0, 0, 0.5f, 1}, {0.5f, 1, 1, 0}};
    case 'Y': return {{0, 0, 0.5f, 0.5f}, {1, 0, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f, 1}};
    default: return {};
    }
}

float SegmentDistance(float px, float py, const Stroke& s)
{
    const float dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const float length2 = dx * dx + dy * dy;
    const float t = length2 > 0.0f ? Clamp01(((px - s.x1) * dx + (py - s.y1) * dy) / length2) : 0.0f;
    const float ex = px - (s.x1 + t * dx), ey = py - (s.y1 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

// A line of text placed in a box: letter height and width in texels, gap between letters.
struct TextLayout {
    std::vector<Stroke> strokes; // in texels
};

TextLayout LayOut(const std::string& text, float left, float top, float width, float height, float gap)
{
    TextLayout layout;
    float x = left;
    for (char letter : text) {
        for (const Stroke& s : LetterStrokes(letter))
            layout.strokes.push_back({x + s.x1 * width, top + s.y1 * height, x + s.x2 * width, top + s.y2 * height});
        x += width + gap;
    }
    return layout;
}

float TextLayoutWidth(const std::string& text, float width, float gap)
{
    return float(text.size()) * (width + gap) - gap;
}

float NearestStroke(const TextLayout& layout, float x, float y)
{
    float nearest = 1e9f;
    for (const Stroke& s : layout.strokes)
        nearest = std::min(nearest, SegmentDistance(x, y, s));
    return nearest;
}

// Coverage of strokes of half-width `half`, anti-aliased over one texel.
float StrokeCoverage(float distance, float half) { return Clamp01(half + 0.5f - distance); }

// ---- Space scenes ----

struct SceneStyle {
    Colour nebulaA, nebulaB;
    Colour planet, planetRim;
    float planetX, planetY, planetRadius; // fractions of the picture
    unsigned seed;
};

Colour SpaceTexel(const SceneStyle& style, unsigned width, unsigned height, unsigned px, unsigned py)
{
    const float u = (float(px) + 0.5f) / float(width), v = (float(py) + 0.5f) / float(height);
    const float aspect = float(width) / float(height);
    // Deep background with a faint vertical gradient.
    Colour colour = Mix(Colour {0.01f, 0.01f, 0.03f}, Colour {0.03f, 0.02f, 0.06f}, v);
    // Nebula: two colours along warped noise.
    const float warp = Fractal(u * 3.0f, v * 3.0f, style.seed + 5u, 3);
    const float cloud = Fractal(u * 2.5f * aspect + warp * 1.5f, v * 2.5f + warp, style.seed, 5);
    const float density = SmoothStep(0.42f, 0.85f, cloud);
    colour = colour + Mix(style.nebulaA, style.nebulaB, Clamp01(warp * 1.4f - 0.2f)) * (density * 0.75f);
    // Stars: sparse cells with one bright point each, a few with a soft glow.
    const float cell = 6.0f;
    const int cx = int(float(px) / cell), cy = int(float(py) / cell);
    if (Hash(cx, cy, style.seed + 99u) > 0.82f) {
        const float sx = (float(cx) + Hash(cx, cy, style.seed + 7u)) * cell;
        const float sy = (float(cy) + Hash(cx, cy, style.seed + 8u)) * cell;
        const float d = std::hypot(float(px) - sx, float(py) - sy);
        const float brightness = Hash(cx, cy, style.seed + 9u);
        colour = colour + Colour {0.9f, 0.92f, 1.0f} * (std::exp(-d * d * 1.2f) * (0.4f + brightness));
    }
    // Planet: a lit sphere with a bright rim towards the light at the upper left.
    const float dx = (u - style.planetX) * aspect, dy = v - style.planetY;
    const float r = std::sqrt(dx * dx + dy * dy) / style.planetRadius;
    if (r < 1.0f) {
        const float nz = std::sqrt(1.0f - r * r);
        const float nx = dx / style.planetRadius, ny = dy / style.planetRadius;
        const float light = Clamp01(-0.6f * nx - 0.5f * ny + 0.62f * nz);
        const float bands = Fractal(nx * 3.0f, ny * 9.0f + nx * 0.5f, style.seed + 31u, 4);
        const Colour surface = style.planet * (0.55f + 0.6f * bands);
        colour = Mix(colour, surface * (0.08f + light), SmoothStep(1.0f, 0.985f, r));
    }
    const float halo = std::exp(-std::max(r - 1.0f, 0.0f) * 14.0f) * (r > 0.97f ? 1.0f : 0.0f);
    colour = colour + style.planetRim * (halo * 0.55f);
    return colour;
}

DecodedImage SpaceScene(const SceneStyle& style, unsigned width, unsigned height)
{
    return MakeFlatImage(width, height, [&](unsigned x, unsigned y) { return Texel(SpaceTexel(style, width, height, x, y)); });
}

SceneStyle BackgroundStyle(int index)
{
    static const std::array<Colour, 6> hues = {Colour {0.15f, 0.25f, 0.75f}, Colour {0.6f, 0.15f, 0.55f},
                                               Colour {0.1f, 0.55f, 0.5f},   Colour {0.75f, 0.35f, 0.1f},
                                               Colour {0.3f, 0.2f, 0.8f},    Colour {0.7f, 0.12f, 0.18f}};
    const unsigned seed = 1000u + unsigned(index) * 37u;
    SceneStyle style;
    style.nebulaA = hues[unsigned(index) % hues.size()];
    style.nebulaB = hues[unsigned(index + 2) % hues.size()];
    style.planet = Mix(hues[unsigned(index + 3) % hues.size()], Colour {0.8f, 0.75f, 0.7f}, 0.4f);
    style.planetRim = Mix(style.nebulaA, Colour {1, 1, 1}, 0.5f);
    style.planetX = 0.15f + 0.7f * Hash(index, 1, seed);
    style.planetY = 0.55f + 0.4f * Hash(index, 2, seed);
    style.planetRadius = 0.18f + 0.22f * Hash(index, 3, seed);
    style.seed = seed;
    return style;
}

// ---- The files ----

void AddBmpWithJpg(AssetSink& sink, const std::string& stem, const DecodedImage& image, Pack pack = Pack::Textures)
{
    sink.Add(stem + ".bmp", pack, WriteBmp(image, BmpBits::Rgb24));
    sink.Add(stem + ".jpg", pack, WriteJpg(image));
}

void AddBackgrounds(AssetSink& sink)
{
    for (int number = 1; number <= 12; ++number) {
        char stem[96];
        std::snprintf(stem, sizeof stem, "Data/Interface/GameMenu/Backgrounds/Back%02d", number);
        AddBmpWithJpg(sink, stem, SpaceScene(BackgroundStyle(number), 512, 512));
    }
    // The hider darkens the picture behind the menu's text column on the right.
    DecodedImage hider = MakeFlatImage(256, 256, [](unsigned x, unsigned y) {
        const float u = float(x) / 255.0f, v = float(y) / 255.0f;
        const float alpha = 0.85f * SmoothStep(0.0f, 0.6f, u) * (0.75f + 0.25f * std::sin(v * 3.14159f));
        return Texel(Colour {0.0f, 0.01f, 0.03f}, alpha);
    });
    sink.Add("Data/Interface/GameMenu/Backgrounds/BackHider.dds", Pack::Textures, WriteDds(hider, DdsFormat::A8R8G8B8));
}

// Instrument-panel pictures in grey: rings, a grid, a sweep and data bars; drawn in red only.
void AddScrollScreens(AssetSink& sink)
{
    for (int number = 1; number <= 6; ++number) {
        const unsigned seed = 500u + unsigned(number) * 11u;
        DecodedImage image = MakeFlatImage(256, 256, [&](unsigned px, unsigned py) {
            const float x = float(px) - 128.0f, y = float(py) - 128.0f;
            const float r = std::sqrt(x * x + y * y);
            const float angle = std::atan2(y, x);
            float level = 0.0f;
            for (int ring = 1; ring <= 3; ++ring) {
                const float radius = 30.0f * float(ring) + 8.0f * Hash(ring, number, seed);
                level = std::max(level, StrokeCoverage(std::fabs(r - radius), 0.8f) * 0.8f);
            }
            const bool gridLine = (px % 32u) == 0u || (py % 32u) == 0u;
            level = std::max(level, gridLine ? 0.25f : 0.0f);
            const float sweep = std::fmod(angle + 3.14159f + float(number), 6.28318f);
            if (r < 120.0f)
                level = std::max(level, std::exp(-sweep * 2.5f) * 0.6f);
            // Data bars along the bottom.
            if (py > 210u && py < 246u) {
                const int bar = int(px / 12u);
                const float barHeight = 36.0f * Hash(bar, number, seed + 3u);
                if (px % 12u < 8u && float(246u - py) < barHeight)
                    level = std::max(level, 0.7f);
            }
            level *= SmoothStep(128.0f, 90.0f, std::max(std::fabs(x), std::fabs(y)) * 0.9f) * 0.5f + 0.5f;
            return Texel(Colour {level, level, level});
        });
        char name[96];
        std::snprintf(name, sizeof name, "Data/Interface/GameMenu/ScrollScreens/Screen%02d.jpg", number);
        sink.Add(name, Pack::Textures, WriteJpg(image));
    }
}

// "VESTRUNE" in thin geometric capitals with a blue-to-white gradient and a soft glow.
void AddTitle(AssetSink& sink)
{
    const std::string text = "VESTRUNE";
    const float letterWidth = 46.0f, letterHeight = 70.0f, gap = 14.0f;
    const float left = (512.0f - TextLayoutWidth(text, letterWidth, gap)) * 0.5f;
    const TextLayout layout = LayOut(text, left, 70.0f, letterWidth, letterHeight, gap);
    const TextLayout underline {{{left, 168.0f, 512.0f - left, 168.0f}}};
    DecodedImage image = MakeFlatImage(512, 256, [&](unsigned px, unsigned py) {
        const float x = float(px) + 0.5f, y = float(py) + 0.5f;
        const float d = NearestStroke(layout, x, y);
        const float core = StrokeCoverage(d, 3.2f);
        const float line = StrokeCoverage(NearestStroke(underline, x, y), 1.0f) * SmoothStep(0.0f, 120.0f, std::min(x - left, 512.0f - left - x));
        const float glow = std::exp(-d * 0.12f) * 0.55f;
        const float t = Clamp01((y - 70.0f) / letterHeight);
        const Colour fill = Mix(Colour {1.0f, 1.0f, 1.0f}, Colour {0.45f, 0.7f, 1.0f}, t);
        const Colour glowColour {0.2f, 0.45f, 1.0f};
        const float alpha = std::max({core, glow, line * 0.9f});
        const Colour colour = alpha > 0.0f ? Mix(glowColour, fill, Clamp01(std::max(core, line) / alpha)) : glowColour;
        return Texel(colour, alpha);
    });
    AddMipChain(image);
    sink.Add("Data/Title.dds", Pack::Textures, WriteDds(image, DdsFormat::A8R8G8B8));
}

// The splash picture (800 x 600, a file of the working folder): a space scene with the title
// across it in the title's geometric capitals.
void AddSplash(AssetSink& sink)
{
    const unsigned width = 800, height = 600;
    const SceneStyle style = BackgroundStyle(4);
    const std::string text = "VESTRUNE";
    const float letterWidth = 70.0f, letterHeight = 108.0f, gap = 22.0f;
    const float left = (float(width) - TextLayoutWidth(text, letterWidth, gap)) * 0.5f;
    const TextLayout layout = LayOut(text, left, 220.0f, letterWidth, letterHeight, gap);
    const DecodedImage image = MakeFlatImage(width, height, [&](unsigned px, unsigned py) {
        const float d = NearestStroke(layout, float(px) + 0.5f, float(py) + 0.5f);
        const float core = StrokeCoverage(d, 4.5f);
        const float glow = std::exp(-d * 0.08f) * 0.6f;
        const Colour scene = SpaceTexel(style, width, height, px, py);
        const Colour lit = scene + Colour {0.2f, 0.45f, 1.0f} * glow;
        return Texel(Mix(lit, Colour {0.9f, 0.95f, 1.0f}, core));
    });
    sink.Add("splash.jpg", Pack::Textures, WriteJpg(image));
}

// The maker's emblem: an orange ring around a stylised T, with the name below.
DecodedImage TalvoroLogo(bool withAlpha)
{
    const TextLayout mark = LayOut("T", 40.0f, 30.0f, 48.0f, 50.0f, 0.0f);
    const std::string name = "TALVORO";
    const float nameLeft = (128.0f - TextLayoutWidth(name, 11.0f, 4.0f)) * 0.5f;
    const TextLayout caption = LayOut(name, nameLeft, 98.0f, 11.0f, 14.0f, 4.0f);
    return MakeFlatImage(128, 128, [&](unsigned px, unsigned py) {
        const float x = float(px) + 0.5f, y = float(py) + 0.5f;
        const float r = std::hypot(x - 64.0f, y - 55.0f);
        const float ring = StrokeCoverage(std::fabs(r - 40.0f), 3.0f);
        const float letter = std::max(StrokeCoverage(NearestStroke(mark, x, y), 5.0f),
                                      StrokeCoverage(NearestStroke(caption, x, y), 1.3f));
        const float alpha = std::max(ring, letter);
        const Colour colour = Mix(Colour {1.0f, 0.55f, 0.1f}, Colour {1.0f, 1.0f, 1.0f}, letter);
        return withAlpha ? Texel(colour, alpha) : Texel(colour * alpha);
    });
}

void AddLogos(AssetSink& sink)
{
    DecodedImage talvoro = TalvoroLogo(true);
    AddMipChain(talvoro);
    sink.Add("Data/Interface/GameMenu/Logo_Talvoro.dds", Pack::Textures, WriteDds(talvoro, DdsFormat::A8R8G8B8));
    AddBmpWithJpg(sink, "Data/Interface/GameMenu/Logo_Talvoro", TalvoroLogo(false));

    const std::string word = "BULLET";
    const float left = (256.0f - TextLayoutWidth(word, 30.0f, 9.0f)) * 0.5f;
    const TextLayout layout = LayOut(word, left, 40.0f, 30.0f, 48.0f, 9.0f);
    DecodedImage bullet = MakeFlatImage(256, 128, [&](unsigned px, unsigned py) {
        const float d = NearestStroke(layout, float(px) + 0.5f, float(py) + 0.5f);
        const float level = std::max(StrokeCoverage(d, 3.5f), std::exp(-d * 0.25f) * 0.3f);
        return Texel(Colour {0.85f, 0.9f, 1.0f} * level);
    });
    AddBmpWithJpg(sink, "Data/Interface/GameMenu/Logo_Bullet", bullet);
}

// An arrow pointer: white body, dark outline, a light bevel along its left edge.
void AddCursor(AssetSink& sink)
{
    const std::array<std::array<float, 2>, 7> outline = {{{4, 2}, {4, 50}, {16, 39}, {25, 59}, {33, 55}, {24, 36}, {40, 36}}};
    const auto inside = [&](float x, float y) {
        bool in = false;
        for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
            const auto& a = outline[i];
            const auto& b = outline[j];
            if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0])
                in = !in;
        }
        return in;
    };
    const auto edgeDistance = [&](float x, float y) {
        float nearest = 1e9f;
        for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++)
            nearest = std::min(nearest, SegmentDistance(x, y, {outline[j][0], outline[j][1], outline[i][0], outline[i][1]}));
        return nearest;
    };
    DecodedImage cursorImage = MakeFlatImage(64, 64, [&](unsigned px, unsigned py) {
        const float x = float(px) + 0.5f, y = float(py) + 0.5f;
        const float d = edgeDistance(x, y);
        const float signedDistance = inside(x, y) ? -d : d;
        const float body = Clamp01(0.5f - signedDistance);
        const float border = Clamp01(2.5f - std::fabs(signedDistance + 0.5f));
        const float alpha = std::max(body, border);
        const float shade = 0.8f + 0.2f * (1.0f - y / 64.0f);
        const Colour colour = Mix(Colour {shade, shade, shade}, Colour {0.05f, 0.05f, 0.1f}, border * (1.0f - Clamp01(-signedDistance - 1.5f)));
        return Texel(colour, alpha);
    });
    sink.Add("Data/Interface/Cursor/Cursor.dds", Pack::Textures, WriteDds(cursorImage, DdsFormat::A8R8G8B8));

    DecodedImage halo = MakeFlatImage(128, 128, [](unsigned px, unsigned py) {
        const float r = std::hypot(float(px) - 63.5f, float(py) - 63.5f) / 64.0f;
        const float level = Clamp01(std::exp(-r * r * 6.0f) - 0.03f);
        return Texel(Colour {level, level, level});
    });
    AddBmpWithJpg(sink, "Data/Interface/Cursor/Galo", halo);
}

// Each sector's location: its own colour on nebula and planet.
void AddLocationPhotos(AssetSink& sink)
{
    static const std::array<Colour, 4> sectorColours = {Colour {0.2f, 0.4f, 1.0f}, Colour {0.2f, 0.85f, 0.35f},
                                                        Colour {1.0f, 0.85f, 0.2f}, Colour {1.0f, 0.25f, 0.2f}};
    for (int location = 1; location <= 4; ++location) {
        SceneStyle style;
        const Colour hue = sectorColours[unsigned(location - 1)];
        style.nebulaA = hue * 0.7f;
        style.nebulaB = Mix(hue, Colour {0.5f, 0.2f, 0.8f}, 0.5f) * 0.6f;
        style.planet = Mix(hue, Colour {0.9f, 0.9f, 0.85f}, 0.3f);
        style.planetRim = Mix(hue, Colour {1, 1, 1}, 0.4f);
        style.planetX = 0.62f;
        style.planetY = 0.72f;
        style.planetRadius = 0.4f;
        style.seed = 7000u + unsigned(location) * 13u;
        char stem[64];
        std::snprintf(stem, sizeof stem, "Data/Locations/%02d/Photo", location);
        AddBmpWithJpg(sink, stem, SpaceScene(style, 256, 256));
        AddBmpWithJpg(sink, std::string(stem) + "_Small", SpaceScene(style, 128, 64));
    }
}

void GenerateMenuPictures(AssetSink& sink)
{
    AddTitle(sink);
    AddSplash(sink);
    AddLogos(sink);
    AddBackgrounds(sink);
    AddScrollScreens(sink);
    AddCursor(sink);
    AddLocationPhotos(sink);
}

const GeneratorRegistration registration("menupictures", GenerateMenuPictures);

} // namespace
