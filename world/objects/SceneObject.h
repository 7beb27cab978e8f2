#pragma once
// A placed object of the race world: the location's sky and scenery, the track's pieces and
// structures, and the decor boxes and signs. It animates by its type (the nebula and planets
// follow the eye, decors follow their rigid body) and keeps its bounds and visibility current.
#include "world/objects/StaticObject.h"

class CPlatform;

class CSceneObject : public CStaticObject {
public:
    CSceneObject();

    // Reads the description and, after its "//--" line, the body mass of a decor and one
    // ignored line; nothing more when the description cannot be opened.
    void Load(const char* path, int seed);
    // World matrix from the look-at frame, the placement a copy of it, the world bounding
    // centre at position.
    void SetTransform(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
    // Per-frame animation by type, then bounds, visibility, components and lights.
    void Update();
    // Decors: world matrix and the two velocities from the rigid body.
    void SyncFromBody();

    // The track piece this object is, or null.
    CPlatform* AsPlatform() const { return platform; }
    // Releases and deletes an object made by the object manager or the track builder.
    static void Destroy(CSceneObject* object);

    int pieceKind; // index in the track builder's piece table, -1 when not a placed piece

protected:
    CPlatform* platform; // this, as a track piece; set by CPlatform

private:
    void Animate();
};
