#pragma once
// The common part of the visual components that repaint one vertex group of their owner's
// mesh: a mesh instance that shares the owner's record without taking a reference, with its own
// textures and material.
#include "engine/mesh/MeshObject.h"

class CStaticObject;

// The vertex groups that the components draw.
constexpr int MESH_GROUP_LIGHT_MAPS = 3;
constexpr int MESH_GROUP_SELF_ILLUM = 4;
constexpr int MESH_GROUP_REFLECTIVE_GLASS = 5;
constexpr int MESH_GROUP_CHROME = 6;
constexpr int MESH_GROUP_PLANET_HALO = 8;
constexpr int MESH_GROUP_PLANET_CLOUDS = 9;
constexpr int MESH_GROUP_PLANET_OCEAN = 10;

class CMeshLayer : public CMeshObject {
public:
    // Stores the owner and shares its mesh record.
    void Attach(CStaticObject* owner);
    // Forgets the shared record (the owner releases it) and releases the layer's textures.
    void Release();
    // True when the owner's mesh has frames in the group.
    bool HasGroup(int group) const;
    // Loads the texture named by a line's value into the slot, with the layer's mip levels.
    void LoadTextureLine(int slot, const char* line);

    CStaticObject* owner = nullptr;
};
