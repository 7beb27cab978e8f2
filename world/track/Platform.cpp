#include "world/track/Platform.h"

#include <cstdlib>

#include <btBulletDynamicsCommon.h>

#include "engine/files/FileSystem.h"
#include "world/World.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

namespace {

// Children are shown within this camera distance of their piece ...
constexpr float CHILDREN_SHOWN_DISTANCE = 200.0f;
// ... and simulated within this one, when the player is at most one piece away.
constexpr float CHILDREN_SIMULATED_DISTANCE = 100.0f;

// Pieces from this piece to the one the player's scooter is on (negative: the player is behind).
int PiecesToPlayer(const CPlatform* piece)
{
    if (!playerVehicle)
        return 0;
    const int segment = playerVehicle->segment;
    if (segment < 0 || static_cast<std::uint32_t>(segment) >= track.segmentCount)
        return 0;
    const CPlatform* playerPiece = track.segmentOwners[segment];
    if (playerPiece == piece)
        return 0;
    return track.PieceIndex(playerPiece) - track.PieceIndex(piece);
}

} // namespace

CPlatform::CPlatform()
    : decorType(DECORS_TYPE_NONE), children {}, childCount(0), bodiesInWorld(0), childrenShown(1), active(1)
{
    platform = this;
}

void CPlatform::Load(const char* path, int seed)
{
    const int handle = CStaticObject::Load(path, 0, seed);
    if (handle == -1)
        return;
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    decorType = ParseDecorsType(DescriptionValue(line));
    fileSystem.Close(handle);
}

void CPlatform::AddChild(CSceneObject* child)
{
    if (childCount < PLATFORM_MAX_CHILDREN)
        children[childCount++] = child;
}

void CPlatform::SetChildrenEnabled(int flag)
{
    for (int i = 0; i < childCount; ++i)
        children[i]->enabled = flag;
}

void CPlatform::AddChildBodies()
{
    for (int i = 0; i < childCount; ++i)
        if (children[i]->body)
            ::world.dynamicsWorld->addRigidBody(children[i]->body.get());
    bodiesInWorld = 1;
}

void CPlatform::RemoveChildBodies()
{
    for (int i = 0; i < childCount; ++i)
        if (children[i]->body)
            ::world.dynamicsWorld->removeRigidBody(children[i]->body.get());
    bodiesInWorld = 0;
}

void CPlatform::Update()
{
    if (!enabled || !active)
        return;
    const float d = cameraDistance;
    if (childCount > 0) {
        if (d >= CHILDREN_SHOWN_DISTANCE && childrenShown) {
            SetChildrenEnabled(0);
            childrenShown = 0;
        }
        if (d < CHILDREN_SHOWN_DISTANCE && !childrenShown) {
            SetChildrenEnabled(1);
            childrenShown = 1;
        }
        if (d > CHILDREN_SIMULATED_DISTANCE && bodiesInWorld)
            RemoveChildBodies();
    }
    if (d > CHILDREN_SIMULATED_DISTANCE)
        return;
    const int a = PiecesToPlayer(this);
    if (childCount > 0) {
        if (std::abs(a) < 2 && !bodiesInWorld)
            AddChildBodies();
        if (std::abs(a) > 1 && bodiesInWorld)
            RemoveChildBodies();
    }
    if (a > 1 && !bodiesInWorld && !childrenShown)
        active = 0;
}

void CPlatform::Reset()
{
    const D3DXVECTOR3 unused(0, 0, 0);
    for (int i = 0; i < childCount; ++i)
        children[i]->CreatePhysics(-1.0f, unused, unused, unused);
    if (bodiesInWorld)
        RemoveChildBodies();
    childrenShown = 0;
    active = 1;
    SetChildrenEnabled(0);
}
