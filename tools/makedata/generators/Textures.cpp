// The renderer's own textures: the glow sprite sheet, the noise volume and the two environment
// cube maps.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tools/makedata/Generators.h"
#include "tools/makedata/ImageWriters.h"

namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
unsigned Byte(float v) { return unsigned(Clamp01(v) * 255.0f + 0.5f); }
float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

// A repeatable pseudo-random value 0..1 for an integer lattice point.
float Hash(int x, int y, int z, unsigned seed)
{
    std::uint32_t h = std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ std::uint32_t(z) * 0xCB1AB31Fu ^ seed;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

// Value noise on a lattice of `period` cells that wraps, so the volume tiles.
float TiledNoise(float x, float y, float z, int period, unsigned seed)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y)), z0 = int(std::floor(z));
    const float fx = Smooth(x - float(x0)), fy = Smooth(y - float(y0)), fz = Smooth(z - float(z0));
    auto at = [&](int dx, int dy, int dz) {
        auto wrap = [&](int v) { return ((v % period) + period) % period; };
        return Hash(wrap(x0 + dx), wrap(y0 + dy), wrap(z0 + dz), seed);
    };
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    const float x00 = lerp(at(0, 0, 0), at(1, 0, 0), fx), x10 = lerp(at(0, 1, 0), at(1, 1, 0), fx);
    const float x01 = lerp(at(0, 0, 1), at(1, 0, 1), fx), x11 = lerp(at(0, 1, 1), at(1, 1, 1), fx);
    return lerp(lerp(x00, x10, fy), lerp(x01, x11, fy), fz);
}

// Three octaves over a volume of `side` texels, 0..1.
float Fractal(unsigned x, unsigned y, unsigned z, unsigned side, unsigned seed)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int octave = 0, cells = 4; octave < 3; ++octave, cells *= 2, amplitude *= 0.5f) {
        const float scale = float(cells) / float(side);
        sum += amplitude * TiledNoise(float(x) * scale, float(y) * scale, float(z) * scale, cells, seed + unsigned(octave));
        weight += amplitude;
    }
    return sum / weight;
}

// ---- Data/Misc/LightMap.bmp: four 128 x 128 sprites in a 256 x 256 sheet ----
// bottom right (u, v 0.5-1): the round glow of lights and direct lights;
// bottom left: the light cone of spots, lamp at (0.255, 0.999), lit edge along v = 0.5;
// top left: a four-ray star; top right: a soft ring.
float GlowSprite(float x, float y) // x, y in -1..1
{
    const float r = std::sqrt(x * x + y * y);
    const float halo = Clamp01(1.0f - r);
    return Clamp01(halo * halo * 0.7f + 0.6f * std::exp(-r * r * 30.0f));
}

float ConeSprite(float u, float v) // u, v in 0..1 over the quadrant, v = 1 at the lamp
{
    const float halfWidth = std::max(0.5f * (1.0f - v), 1e-3f);
    const float across = std::fabs(u - 0.51f) / halfWidth;
    return Clamp01(1.0f - across * across) * (0.35f + 0.65f * v);
}

float StarSprite(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    const float rays = std::exp(-std::fabs(x) * 30.0f) + std::exp(-std::fabs(y) * 30.0f);
    return Clamp01((rays * 0.6f + std::exp(-r * r * 30.0f)) * Clamp01(1.0f - r));
}

float RingSprite(float x, float y)
{
    const float r = std::sqrt(x * x + y * y);
    return Clamp01(std::exp(-(r - 0.7f) * (r - 0.7f) * 60.0f) + 0.3f * std::exp(-r * r * 8.0f)) * Clamp01((1.0f - r) * 8.0f);
}

DecodedImage LightMap()
{
    constexpr unsigned side = 256, half = side / 2;
    return MakeFlatImage(side, side, [](unsigned x, unsigned y) {
        const float u = (float(x % half) + 0.5f) / float(half), v = (float(y % half) + 0.5f) / float(half);
        const float cx = u * 2.0f - 1.0f, cy = v * 2.0f - 1.0f;
        float intensity;
        if (y >= half)
            intensity = x >= half ? GlowSprite(cx, cy) : ConeSprite(u, v);
        else
            intensity = x >= half ? RingSprite(cx, cy) : StarSprite(cx, cy);
        const unsigned level = Byte(intensity);
        return Argb(level, level, level, level);
    });
}

// ---- Data/Misc/NoiseVolume.dds: 32^3 tiling noise, an independent field per channel ----
DecodedImage NoiseVolume()
{
    constexpr unsigned side = 32;
    DecodedImage image = MakeVolumeImage(side, side, side, [](unsigned x, unsigned y, unsigned z) {
        return Argb(Byte(Fractal(x, y, z, side, 4000)), Byte(Fractal(x, y, z, side, 1000)),
                    Byte(Fractal(x, y, z, side, 2000)), Byte(Fractal(x, y, z, side, 3000)));
    });
    AddMipChain(image);
    return image;
}

// ---- cube maps ----
std::array<float, 3> CubeDirection(unsigned face, unsigned x, unsigned y, unsigned edge)
{
    const float s = (float(x) + 0.5f) / float(edge) * 2.0f - 1.0f, t = (float(y) + 0.5f) / float(edge) * 2.0f - 1.0f;
    std::array<float, 3> d;
    switch (face) {
    case 0: d = {1, -t, -s}; break;
    case 1: d = {-1, -t, s}; break;
    case 2: d = {s, 1, t}; break;
    case 3: d = {s, -1, -t}; break;
    case 4: d = {s, -t, 1}; break;
    default: d = {-s, -t, -1}; break;
    }
    const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return {d[0] / length, d[1] / length, d[2] / length};
}

// Deep space: a faint violet and blue nebula band and sparse stars.
std::uint32_t SpaceSky(unsigned face, unsigned x, unsigned y, unsigned edge)
{
    const auto d = CubeDirection(face, x, y, edge);
    const float cloud = TiledNoise(d[0] * 3 + 8, d[1] * 3 + 8, d[2] * 3 + 8, 64, 77);
    const float band = std::exp(-(d[1] - 0.3f * d[0]) * (d[1] - 0.3f * d[0]) * 6.0f);
    const float nebula = Clamp01(cloud * cloud * band * 0.5f);
    const float star = Hash(int(x), int(y), int(face), 555) > 0.985f ? Hash(int(x), int(y), int(face), 556) : 0.0f;
    return Argb(255, Byte(0.02f + nebula * 0.45f + star), Byte(0.02f + nebula * 0.15f + star), Byte(0.05f + nebula * 0.6f + star));
}

// Around a planet: a bright haze at the horizon, blue above, the dark surface below.
std::uint32_t PlanetSky(unsigned face, unsigned x, unsigned y, unsigned edge)
{
    const auto d = CubeDirection(face, x, y, edge);
    const float up = d[1];
    const float haze = std::exp(-up * up * 12.0f);
    const float streaks = TiledNoise(d[0] * 4 + 16, d[1] * 10 + 16, d[2] * 4 + 16, 64, 91);
    if (up >= 0) {
        const float sky = 1.0f - up;
        return Argb(255, Byte(0.10f * sky + 0.8f * haze), Byte(0.25f * sky + 0.85f * haze),
                    Byte(0.55f * sky + 0.9f * haze + 0.1f * streaks));
    }
    const float ground = 0.15f + 0.25f * streaks;
    return Argb(255, Byte(ground * 0.5f + 0.6f * haze), Byte(ground * 0.6f + 0.65f * haze), Byte(ground * 0.8f + 0.7f * haze));
}

DecodedImage Cube(std::uint32_t (*texel)(unsigned, unsigned, unsigned, unsigned))
{
    constexpr unsigned edge = 64;
    DecodedImage image = MakeCubeImage(edge, [&](unsigned face, unsigned x, unsigned y) { return texel(face, x, y, edge); });
    AddMipChain(image);
    return image;
}

void GenerateTextures(AssetSink& sink)
{
    const DecodedImage lightMap = LightMap();
    sink.Add("Data/Misc/LightMap.bmp", Pack::Textures, WriteBmp(lightMap, BmpBits::Rgb24));
    sink.Add("Data/Misc/LightMap.jpg", Pack::Textures, WriteJpg(lightMap));
    sink.Add("Data/Misc/NoiseVolume.dds", Pack::Textures, WriteDds(NoiseVolume(), DdsFormat::A8R8G8B8));
    sink.Add("Data/Locations/SpaceSkyEnvMap.dds", Pack::Textures, WriteDds(Cube(SpaceSky), DdsFormat::X8R8G8B8));
    sink.Add("Data/Locations/PlanetEnvMap.dds", Pack::Textures, WriteDds(Cube(PlanetSky), DdsFormat::X8R8G8B8));
}

const GeneratorRegistration registration("textures", GenerateTextures);

} // namespace
