#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/render/D3DRender.h"
#include "world/effects/StructureColour.h"
#include "world/effects/SurfaceEffects.h"
#include "world/effects/SurfaceGate.h"
#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr float LIGHT_MAPS_LIMIT = 500.0f;
constexpr float LIGHT_MAPS_SCOOTER_LIMIT = 150.0f;

// The pattern with its one integer conversion (%d, %i or %u with optional 0 flag and width)
// formatted with frame; "%%" is a percent sign. A pattern with any other conversion is taken as
// a plain name, so a description never reaches printf with a format of its own.
std::string FramePattern(const std::string& pattern, int frame)
{
    std::string name;
    bool converted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            name += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            name += '%';
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        const bool zero = end < pattern.size() && pattern[end] == '0';
        while (end < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[end])))
            ++end;
        if (converted || end >= pattern.size() || end - i > 4 || std::string("diu").find(pattern[end]) == std::string::npos)
            return pattern;
        const int width = std::atoi(pattern.substr(i + 1, end - i - 1).c_str());
        char number[32];
        std::snprintf(number, sizeof number, zero ? "%0*d" : "%*d", width, frame);
        name += number;
        converted = true;
        i = end;
    }
    return name;
}

} // namespace

CLightMapsEffect::CLightMapsEffect() : colour(1, 1, 1, 1) {}

int CLightMapsEffect::Load(int handle, CStaticObject* layerOwner)
{
    Attach(layerOwner);
    char line[DESCRIPTION_LINE_SIZE];
    // Every frame takes a texture slot.
    const int frames = std::clamp(ReadIntegerLine(handle), 0, MESH_TEXTURE_SLOTS);
    textureOption = ReadIntegerLine(handle);
    ReadDescriptionLine(handle, line);
    const std::string name(DescriptionValue(line));
    for (int i = 1; i <= frames; ++i)
        LoadTexture(i - 1, frames == 1 ? name.c_str() : FramePattern(name, i).c_str(), textureOption);
    colour = ReadColourLine(handle);
    if (owner->objectType == GTYPE_STRUCTURE)
        colour = RandomStructureColour();
    material = D3DMATERIAL9 {};
    material.Emissive = D3DCOLORVALUE {colour.x, colour.y, colour.z, colour.w};
    return 0;
}

void CLightMapsEffect::Draw()
{
    if (!SurfaceLayerInSight(*owner, LIGHT_MAPS_LIMIT, LIGHT_MAPS_SCOOTER_LIMIT))
        return;
    world = owner->world;
    d3dRender.SetTextureById(textureIds[0], 1, 0);
    d3dRender.SetBlend(D3DBLEND_ONE, D3DBLEND_ONE);
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(0);
    d3dRender.SetLighting(1);
    DrawGroup(MESH_GROUP_LIGHT_MAPS);
}
