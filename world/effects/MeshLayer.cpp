#include "world/effects/MeshLayer.h"

#include <string>

#include "world/objects/ObjectDescription.h"
#include "world/objects/StaticObject.h"

void CMeshLayer::Attach(CStaticObject* layerOwner)
{
    owner = layerOwner;
    mesh = layerOwner->mesh;
}

void CMeshLayer::Release()
{
    mesh = nullptr;
    ReleaseTextures();
}

bool CMeshLayer::HasGroup(int group) const { return mesh && mesh->frameCount[group] > 0; }

void CMeshLayer::LoadTextureLine(int slot, const char* line)
{
    LoadTexture(slot, std::string(DescriptionValue(line)).c_str(), textureOption);
}
