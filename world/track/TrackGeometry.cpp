#include "world/track/TrackGeometry.h"

#include "engine/helpers/VectorHelpers.h"
#include "world/objects/SceneObject.h"
#include "world/track/Track.h"

int PointCount(const CStaticObject& object, int list)
{
    return object.mesh ? static_cast<int>(object.mesh->controlPoints[list].size()) : 0;
}

D3DXVECTOR3 PointOf(const CStaticObject& object, int list, int n, const D3DXMATRIX* placement)
{
    D3DXVECTOR3 point;
    D3DXVec3TransformCoord(&point, &object.mesh->controlPoints[list][static_cast<std::size_t>(n)],
                           placement ? placement : &object.world);
    return point;
}

D3DXVECTOR3 Row(const D3DXMATRIX& matrix, int row)
{
    return D3DXVECTOR3(matrix.m[row][0], matrix.m[row][1], matrix.m[row][2]);
}

bool IsClearOfCourse(const CTrack& track, const D3DXVECTOR3& point, const CPlatform* skip, float distance)
{
    for (std::uint32_t j = 0; j < track.segmentCount; ++j)
        if (track.segmentOwners[j] != skip && Vec3Distance(track.segmentPoints[j], point) < distance)
            return false;
    return true;
}

bool IsClearOfStructures(const CTrack& track, const D3DXVECTOR3& point, float distance)
{
    for (std::uint32_t i = 0; i < track.structureCount; ++i) {
        const CSceneObject& structure = *track.structures[i];
        D3DXVECTOR3 centre;
        D3DXVec3TransformCoord(&centre, &structure.centre, &structure.world);
        if (Vec3Distance(centre, point) < distance)
            return false;
    }
    return true;
}
