#pragma once
// A track piece: a scene object that owns the decors standing on it (they live in the object
// manager's table) and switches them and their bodies on and off by its distance from the eye
// and by the player's progress along the track.
#include "world/objects/SceneObject.h"

constexpr int PLATFORM_MAX_CHILDREN = 256;

class CPlatform : public CSceneObject {
public:
    CPlatform();

    // Reads the description and, after its "//--" line, the DECORS_TYPE line.
    void Load(const char* path, int seed);
    // Shows, hides and activates the children (called from CSceneObject::Update).
    void Update();
    // Appends a decor; the caller keeps to PLATFORM_MAX_CHILDREN.
    void AddChild(CSceneObject* child);
    void SetChildrenEnabled(int flag);
    // Race restart: children back to their start transforms, out of the world and hidden.
    void Reset();

    int decorType; // a DECORS_TYPE_ value, -1 when none
    CSceneObject* children[PLATFORM_MAX_CHILDREN];
    int childCount;
    int bodiesInWorld;
    int childrenShown;
    int active;

private:
    void AddChildBodies();
    void RemoveChildBodies();
};
