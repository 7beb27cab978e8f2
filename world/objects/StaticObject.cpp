#include "world/objects/StaticObject.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <btBulletDynamicsCommon.h>

#include "engine/files/FileSystem.h"
#include "engine/shell/ErrorBox.h"
#include "engine/shell/GameSettings.h"
#include "platform/gfxx/D3DXMesh.h"
#include "world/World.h"
#include "world/effects/FlameEffect.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/PlanetEffects.h"
#include "world/effects/SpotsEffect.h"
#include "world/effects/SurfaceEffects.h"
#include "world/shadows/ObjectShadow.h"
#include "world/sky/Environment.h"

namespace {

constexpr const char* BUILD_FOLDER = "E:\\Projects\\Game\\Dembrix\\Main Files\\Debug";
constexpr const char* ERROR_CAPTION = "CStaticObject error!";
constexpr int MESH_KEY_PLAIN = 0;
constexpr int MESH_KEY_BUMP_MAPPED = 5;

// The stored path: from "Data\" on for a path inside the build folder, "/" for every "\".
void StorePath(char (&stored)[STATIC_OBJECT_PATH_SIZE], const char* path)
{
    const char* start = path;
    if (std::strstr(path, BUILD_FOLDER)) {
        if (const char* data = std::strstr(path, "Data\\"))
            start = data;
    }
    std::snprintf(stored, sizeof stored, "%s", start);
    for (char& c : stored) {
        if (c == '\\')
            c = '/';
    }
}

// The first "%k" (k 1-9) of the value becomes "0n", n = (seed mod k) + 1 or (rand() mod k) + 1;
// a random number is drawn either way. Any other "%" leaves the value as it is.
void ApplyVariantMark(std::string& value, int seed)
{
    const std::size_t mark = value.find('%');
    if (mark == std::string::npos || mark + 1 >= value.size())
        return;
    const char digit = value[mark + 1];
    if (digit < '1' || digit > '9')
        return;
    const unsigned k = static_cast<unsigned>(digit - '0');
    const unsigned drawn = static_cast<unsigned>(std::rand());
    const unsigned n = (seed != -1 ? static_cast<unsigned>(seed) % k : drawn % k) + 1;
    value[mark] = '0';
    value[mark + 1] = static_cast<char>('0' + n);
}

bool HasBumpTextureLine(int type)
{
    return type == GTYPE_PLANET1 || type == GTYPE_PLANET2 || type == GTYPE_PLATFORM || type == GTYPE_STRUCTURE
           || type == GTYPE_VEHICLE;
}

D3DCOLORVALUE Colour(float r, float g, float b, float a) { return D3DCOLORVALUE {r, g, b, a}; }
D3DCOLORVALUE Grey(float v) { return Colour(v, v, v, 1.0f); }
D3DCOLORVALUE Scaled(const D3DXVECTOR4& c, float s) { return Colour(c.x * s, c.y * s, c.z * s, c.w * s); }

// Replaces the slot's component: the old one, when any, is released first.
template <typename Component>
Component& Renew(std::unique_ptr<Component>& slot)
{
    if (slot)
        slot->Release();
    slot = std::make_unique<Component>();
    return *slot;
}

} // namespace

int CStaticObject::serialCounter = 0;

ObjectComponents::ObjectComponents() = default;
ObjectComponents::~ObjectComponents() = default;

CStaticObject::CStaticObject()
    : path {}, objectClass(GCLASS_NOTDEFINED), objectType(GTYPE_NOTDEFINED), serial(serialCounter++),
      worldCentre(0, 0, 0), cameraDistance(0), visible(0), collidable(1), enabled(1), lightBlock(0), mass(0),
      vehicleName {}, vehicleValues {0.0f, 0.0f, 10.0f}, linearVelocity(0, 0, 0), angularVelocity(0, 0, 0),
      lastContactSoundTime(0)
{
    D3DXMatrixIdentity(&placement);
    material = D3DMATERIAL9 {};
}

CStaticObject::~CStaticObject() { Release(); }

bool CStaticObject::BumpMapped() const
{
    const int bump = GameSettings[SLOT_BUMP];
    switch (objectType) {
    case GTYPE_PLANET1:
    case GTYPE_PLANET2: return bump > 0;
    case GTYPE_PLATFORM:
    case GTYPE_STRUCTURE: return bump > 1;
    case GTYPE_VEHICLE: return bump > 2;
    default: return false;
    }
}

int CStaticObject::Load(const char* descriptionPath, int closeFile, int seed)
{
    StorePath(path, descriptionPath);
    const int handle = fileSystem.Open(path, FILE_MODE_OBJECTS);
    if (handle == -1) {
        ShowMessage("Create static object error!", ERROR_CAPTION);
        return -1;
    }

    char line[DESCRIPTION_LINE_SIZE];
    for (int header = 1; header <= 4; ++header)
        ReadDescriptionLine(handle, line);
    ReadDescriptionLine(handle, line);
    objectClass = ParseGClass(DescriptionValue(line));
    ReadDescriptionLine(handle, line);
    objectType = ParseGType(DescriptionValue(line));
    ReadDescriptionLine(handle, line);
    if (objectType == GTYPE_VEHICLE) {
        ReadDescriptionLine(handle, line);
        const std::string_view name = DescriptionValue(line).substr(0, VEHICLE_NAME_SIZE - 1);
        vehicleName[name.copy(vehicleName, name.size())] = '\0';
        ReadDescriptionLine(handle, line);
    }

    const bool bumpMapped = BumpMapped();
    ReadDescriptionLine(handle, line);
    LoadMesh(std::string(DescriptionValue(line)).c_str(), bumpMapped ? MESH_KEY_BUMP_MAPPED : MESH_KEY_PLAIN,
             D3DXMESH_MANAGED);
    textureOption = std::max(ReadIntegerLine(handle), 0);

    ReadDescriptionLine(handle, line);
    std::string baseTexture(DescriptionValue(line));
    ApplyVariantMark(baseTexture, seed);
    LoadTexture(0, baseTexture.c_str(), textureOption);
    if (HasBumpTextureLine(objectType)) {
        ReadDescriptionLine(handle, line);
        if (bumpMapped)
            LoadTexture(1, std::string(DescriptionValue(line)).c_str(), textureOption);
    }

    ReadDescriptionLine(handle, line);
    ReadComponents(handle, line);
    SetMaterialByType();
    if (closeFile)
        fileSystem.Close(handle);
    return handle;
}

void CStaticObject::ReadComponents(int handle, char* line)
{
    while (!IsDescriptionEnd(line)) {
        if (!*line) {
            // The data ended (or a code line is blank) before the "//--" line.
            char text[STATIC_OBJECT_PATH_SIZE + 64];
            std::snprintf(text, sizeof text, "Object description '%s' ends before its \"//--\" line!", path);
            ShowMessage(text, ERROR_CAPTION);
            return;
        }
        const std::string_view value = DescriptionValue(line);
        const int code = ParseGEffect(value);
        switch (code) {
        case GEFFECT_CHROME: Renew(components.chrome).Init(handle, this); break;
        case GEFFECT_RGLASS: Renew(components.rGlass).Init(handle, this); break;
        case GEFFECT_LIGHTMAPS: Renew(components.lightMaps).Load(handle, this); break;
        case GEFFECT_SELFILLUM: Renew(components.selfIllum).Load(handle, this); break;
        case GEFFECT_PLANETGALO: Renew(components.planetGalo).Init(handle, this); break;
        case GEFFECT_PLANETCLOUDS: Renew(components.planetClouds).Load(handle, this); break;
        case GEFFECT_PLANETOCEAN: Renew(components.planetOcean).Load(handle, this); break;
        case GEFFECT_LIGHTS: Renew(components.lights).Load(handle, this); break;
        case GEFFECT_DIRECTLIGHTS: Renew(components.directLights).Load(handle, this); break;
        case GEFFECT_SPOTS: Renew(components.spots).Load(handle, this); break;
        case GEFFECT_FLAME:
            components.flame = std::make_unique<CFlameEffect>();
            components.flame->Load(handle, this);
            break;
        case GEFFECT_ENGINEFLAME:
            components.engineFlame = std::make_unique<CFlameEffect>();
            components.engineFlame->Load(handle, this);
            break;
        case GEFFECT_STATIC_SHADOW:
        case GEFFECT_DYNAMIC_SHADOW:
            Renew(components.shadow).Load(std::string(value).c_str(), this, code);
            break;
        default: break;
        }
        ReadDescriptionLine(handle, line);
        ReadDescriptionLine(handle, line);
    }
}

void CStaticObject::SetMaterialByType()
{
    const D3DXVECTOR4& c1 = environment.colour1;
    const D3DXVECTOR4& c2 = environment.colour2;
    const bool bumpMapped = BumpMapped();
    material = D3DMATERIAL9 {};
    switch (objectType) {
    case GTYPE_NEBULA: material.Emissive = Colour(1, 1, 1, 1); break;
    case GTYPE_PLANET1:
        if (bumpMapped) {
            material.Diffuse = Grey(1);
            material.Ambient = Grey(0);
            material.Specular = Grey(0.2f);
            material.Power = 32;
        } else {
            material.Diffuse = Grey(2);
            material.Ambient = Grey(0);
        }
        break;
    case GTYPE_PLANET2:
        material.Diffuse = Grey(bumpMapped ? 1.0f : 2.0f);
        material.Ambient = Grey(bumpMapped ? 0.2f : 0.5f);
        if (bumpMapped)
            material.Specular = Grey(0);
        break;
    case GTYPE_PLATFORM:
    case GTYPE_STRUCTURE:
        if (bumpMapped) {
            material.Diffuse = Scaled(c1, 1.25f);
            material.Ambient = Scaled(c2, 1.5f);
            material.Specular = Scaled(c1, objectType == GTYPE_PLATFORM ? 1.0f : 0.5f);
        } else {
            material.Diffuse = Grey(1);
            material.Ambient = Grey(1);
            material.Specular = Grey(0.5f);
        }
        material.Power = 32;
        break;
    case GTYPE_DECORS:
        material.Diffuse = Grey(1);
        material.Ambient = Grey(1);
        material.Specular = Grey(0);
        break;
    case GTYPE_VEHICLE:
        material.Diffuse = Grey(1);
        material.Ambient = Grey(0.5f);
        material.Specular = Grey(1);
        material.Power = 10;
        break;
    default: break;
    }
}

void CStaticObject::Release()
{
    RemoveBody();
    ReleaseMesh();
    ReleaseTextures();
    ObjectComponents& c = components;
    for (CMeshLayer* layer : std::initializer_list<CMeshLayer*> {c.chrome.get(), c.rGlass.get(), c.lightMaps.get(),
                                                                  c.selfIllum.get(), c.planetGalo.get(),
                                                                  c.planetClouds.get(), c.planetOcean.get()}) {
        if (layer)
            layer->Release();
    }
    c.chrome.reset();
    c.rGlass.reset();
    c.lightMaps.reset();
    c.selfIllum.reset();
    c.planetGalo.reset();
    c.planetClouds.reset();
    c.planetOcean.reset();
    if (c.lights)
        c.lights->Release();
    if (c.directLights)
        c.directLights->Release();
    if (c.spots)
        c.spots->Release();
    c.lights.reset();
    c.directLights.reset();
    c.spots.reset();
    c.flame.reset();
    c.engineFlame.reset();
    if (c.shadow)
        c.shadow->Release();
    c.shadow.reset();
}

void CStaticObject::Update()
{
    if (!enabled)
        return;
    ObjectComponents& c = components;
    if (c.lights)
        c.lights->Update();
    if (c.directLights)
        c.directLights->Update();
    if (c.spots)
        c.spots->Update();
    if (c.flame)
        c.flame->Update();
    if (c.engineFlame)
        c.engineFlame->UpdateEngine();
    if (c.shadow)
        c.shadow->Update();
}

void CStaticObject::UpdateVisibility()
{
    const CCamera* camera = ::world.activeCamera;
    visible = camera && static_cast<float>(GameSettings[SLOT_DISTANCE]) >= cameraDistance
              && camera->SphereTest(worldCentre, radius);
}

bool CStaticObject::HiddenFromCamera() const
{
    if (!visible)
        return true;
    const CCamera* camera = ::world.activeCamera;
    return objectType == GTYPE_VEHICLE && camera && camera->mode == CAMERA_FROM_SCOOTER && camera->target == this;
}
