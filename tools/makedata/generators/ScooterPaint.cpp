#include "tools/makedata/generators/ScooterPaint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/makedata/ImageWriters.h"
#include "tools/makedata/generators/ScooterAtlas.h"

namespace {

// Texels of the hull band per unit of the hull's girth (u) and of its length (v).
constexpr float TEXELS_PER_UNIT_AROUND = 95.0f;
constexpr float TEXELS_PER_UNIT_ALONG = 49.0f;
constexpr float HULL_ROWS = float(HULL_BAND.bottom - HULL_BAND.top);
// The number discs on the sides, behind the seat.
constexpr float DISC_V = 0.55f;
constexpr float DISC_RADIUS = 0.17f;

constexpr const char* DIGITS[8][5] = {
    {".#.", "##.", ".#.", ".#.", "###"}, {"##.", "..#", ".#.", "#..", "###"}, {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "##.", "..#", "##."}, {".##", "#..", "###", "#.#", "###"},
    {"###", "..#", ".#.", ".#.", ".#."}, {"###", "#.#", "###", "#.#", "###"}};

float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

// A groove of the relief at distance d (texels) from its line: -1 in it, 0 off it.
float Groove(float d) { return d < 0.8f ? -1.0f : d < 1.5f ? -0.4f : 0.0f; }

struct HullPoint {
    float u, v; // u around the section, v from the nose (0) to the tail (1)
};

HullPoint HullAt(float x, float y) { return {x / float(SCOOTER_ATLAS_SIZE), y / HULL_ROWS}; }

// Offset from a side's number disc in hull units, turned so that (right, down) read upright from
// that side: on the right (+x) side the nose is to the right, on the left side to the left.
struct DiscOffset {
    float right, down, distance;
};

DiscOffset FromDisc(HullPoint p)
{
    const bool rightSide = p.u < 0.5f;
    const float du = (p.u - (rightSide ? 0.25f : 0.75f)) * float(SCOOTER_ATLAS_SIZE) / TEXELS_PER_UNIT_AROUND;
    const float dv = (p.v - DISC_V) * HULL_ROWS / TEXELS_PER_UNIT_ALONG;
    const float sign = rightSide ? -1.0f : 1.0f;
    return {sign * dv, sign * du, std::hypot(du, dv)};
}

bool DigitCovers(int number, const DiscOffset& offset)
{
    const float column = (offset.right + 0.06f) / 0.12f * 3.0f;
    const float row = (offset.down + 0.1f) / 0.2f * 5.0f;
    if (column < 0 || column >= 3 || row < 0 || row >= 5)
        return false;
    return DIGITS[std::clamp(number, 1, 8) - 1][int(row)][int(column)] == '#';
}

// Relief of the hull: panel seams, the belly seams, vents on the engine cowl, rims of the discs.
float HullRelief(float x, float y)
{
    const HullPoint p = HullAt(x, y);
    float height = 0;
    for (const float seamV : {0.2f, 0.37f, 0.63f, 0.8f}) {
        if (p.u > 0.14f && p.u < 0.86f)
            height = std::min(height, Groove(std::fabs(y - seamV * HULL_ROWS)));
    }
    for (const float seamU : {0.14f, 0.86f})
        height = std::min(height, Groove(std::fabs(x - seamU * SCOOTER_ATLAS_SIZE)));
    if (p.v > 0.37f && p.v < 0.8f) {
        for (const float seamU : {0.36f, 0.64f})
            height = std::min(height, Groove(std::fabs(x - seamU * SCOOTER_ATLAS_SIZE)));
    }
    if (p.v > 0.84f && p.v < 0.93f && std::fabs(p.u - 0.5f) < 0.06f && int(y) % 4 < 2)
        height = -1.0f;
    const float rim = std::fabs(FromDisc(p).distance - DISC_RADIUS) * TEXELS_PER_UNIT_ALONG;
    if (rim < 1.2f)
        height = 0.6f;
    return height;
}

float Relief(float x, float y)
{
    const unsigned row = unsigned(std::clamp(y, 0.0f, float(SCOOTER_ATLAS_SIZE - 1)));
    if (InBand(HULL_BAND, row))
        return HullRelief(x, y);
    if (InBand(SEAT_BAND, row))
        return Groove(std::fabs(std::fmod(x, 12.0f) - 6.0f) * 2.0f) * 0.6f;
    if (InBand(METAL_BAND, row))
        return int(x) % 6 < 1 ? -0.3f : 0.0f;
    if (InBand(POD_BAND, row))
        return Groove(std::fabs(std::min(x, float(SCOOTER_ATLAS_SIZE) - x) - 0.16f * float(SCOOTER_ATLAS_SIZE)));
    return 0.0f;
}

std::uint32_t Texel(Rgb colour, float shade = 1.0f)
{
    const auto channel = [&](unsigned value) { return unsigned(std::clamp(float(value) * shade, 0.0f, 255.0f)); };
    return Argb(255, channel(colour.red), channel(colour.green), channel(colour.blue));
}

Rgb Mix(Rgb a, Rgb b, float t)
{
    const auto channel = [&](unsigned x, unsigned y) { return unsigned(float(x) + (float(y) - float(x)) * Clamp01(t)); };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

constexpr Rgb BELLY {58, 60, 68};
constexpr Rgb DISC {238, 238, 232};
constexpr Rgb INK {28, 28, 34};
constexpr Rgb LAMP {255, 250, 215};

// The livery's own marks on one side (u from 0 at the keel to 0.5 at the spine).
bool LiveryMark(const ScooterLivery& livery, float side, float v, float x, float y)
{
    switch (livery.style) {
    case ScooterLivery::Swoosh:
        return v > 0.12f && v < 0.95f && std::fabs(side - (0.19f + 0.06f * v)) < 0.012f + 0.05f * (1.0f - v);
    case ScooterLivery::Pinstripes:
        return v > 0.1f && (std::fabs(side - 0.3f) < 0.01f || std::fabs(side - 0.335f) < 0.006f);
    case ScooterLivery::Chequers:
        return v > 0.68f && v < 0.86f && side > 0.15f && (int(x) / 8 + int(y) / 8) % 2 == 0;
    case ScooterLivery::TwoTone: return side < 0.29f;
    }
    return false;
}

std::uint32_t HullTexel(const ScooterLivery& livery, float x, float y)
{
    const HullPoint p = HullAt(x, y);
    const float side = p.u < 0.5f ? p.u : 1.0f - p.u;
    const DiscOffset disc = FromDisc(p);
    Rgb colour = livery.primary;
    if (side < 0.14f)
        colour = BELLY;
    else if (disc.distance < DISC_RADIUS)
        colour = DigitCovers(livery.number, disc) ? INK : DISC;
    else if (p.v < 0.07f && std::fabs(p.u - 0.5f) < 0.12f)
        colour = LAMP;
    else if (LiveryMark(livery, side, p.v, x, y))
        colour = livery.secondary;
    else if (p.v > 0.05f && p.v < 0.95f && std::fabs(p.u - 0.5f) < 0.022f)
        colour = livery.stripe;
    const float relief = HullRelief(x, y);
    return Texel(colour, relief < -0.3f ? 0.55f : relief > 0.3f ? 0.8f : 1.0f);
}

std::uint32_t PaintTexel(const ScooterLivery& livery, unsigned x, unsigned y)
{
    const float fx = float(x) + 0.5f, fy = float(y) + 0.5f;
    if (InBand(HULL_BAND, y))
        return HullTexel(livery, fx, fy);
    if (InBand(SEAT_BAND, y))
        return Texel(Relief(fx, fy) < 0 ? Rgb {78, 78, 88} : Rgb {44, 44, 52});
    if (InBand(METAL_BAND, y))
        return Texel({105, 110, 122}, Relief(fx, fy) < 0 ? 0.7f : 1.0f);
    if (InBand(NOZZLE_BAND, y))
        return Texel(Mix({255, 120, 30}, {255, 225, 130}, float(y - NOZZLE_BAND.top) / 16.0f));
    if (InBand(POD_BAND, y)) {
        // Around the nacelle (0 its underside, 0.5 its top): the emitter strip underneath.
        const float around = std::min(fx, float(SCOOTER_ATLAS_SIZE) - fx) / float(SCOOTER_ATLAS_SIZE);
        if (around < 0.07f)
            return Texel(livery.glow);
        if (around < 0.16f)
            return Texel(BELLY, 0.7f);
        return Texel(around > 0.46f ? livery.stripe : livery.secondary);
    }
    const float local = float(y - FIN_BAND.top) / float(FIN_BAND.bottom - FIN_BAND.top);
    if (local > 0.8f)
        return Texel(livery.stripe);
    return Texel(local > 0.35f && local < 0.6f ? livery.primary : livery.secondary);
}

} // namespace

DecodedImage ScooterPaintTexture(const ScooterLivery& livery)
{
    return MakeFlatImage(SCOOTER_ATLAS_SIZE, SCOOTER_ATLAS_SIZE,
                         [&](unsigned x, unsigned y) { return PaintTexel(livery, x, y); });
}

DecodedImage ScooterBumpTexture()
{
    constexpr float STRENGTH = 1.5f;
    return MakeFlatImage(SCOOTER_ATLAS_SIZE, SCOOTER_ATLAS_SIZE, [](unsigned x, unsigned y) {
        const float fx = float(x) + 0.5f, fy = float(y) + 0.5f;
        const float dx = (Relief(fx + 1, fy) - Relief(fx - 1, fy)) * 0.5f * STRENGTH;
        const float dy = (Relief(fx, fy + 1) - Relief(fx, fy - 1)) * 0.5f * STRENGTH;
        const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
        const auto encode = [](float n) { return unsigned(std::lround((n * 0.5f + 0.5f) * 255.0f)); };
        return Argb(255, encode(-dx / length), encode(-dy / length), encode(1.0f / length));
    });
}

DecodedImage ChromeReflectionTexture()
{
    return MakeFlatImage(128, 128, [](unsigned x, unsigned y) {
        const float u = float(x) / 128.0f, v = float(y) / 128.0f;
        const float sky = 0.5f + 0.3f * std::cos(2.0f * std::numbers::pi_v<float> * v);
        const float streaks = std::exp(-std::pow((v - 0.12f) * 30.0f, 2.0f)) +
                              0.6f * std::exp(-std::pow((v - 0.62f) * 40.0f, 2.0f));
        const float shimmer = 0.05f * std::sin(2.0f * std::numbers::pi_v<float> * 3.0f * u);
        const float light = Clamp01(sky + streaks + shimmer);
        return Argb(255, unsigned(35 + 205 * light), unsigned(40 + 210 * light), unsigned(55 + 200 * light));
    });
}
