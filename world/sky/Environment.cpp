// The location lighting: defaults, the location file's lighting block and the random draws that
// the track builder relies on.
#include "world/sky/Environment.h"

#include <cstdlib>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/LightManager.h"
#include "world/objects/ColumnFields.h"
#include "world/objects/ObjectDescription.h"

namespace {

constexpr float COLOUR_SCALE = 0.003921569f; // 1 / 255

D3DXVECTOR4 ReadLightColour(int file)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line);
    const D3DXVECTOR3 value = TripleValue(line);
    return D3DXVECTOR4(value.x * COLOUR_SCALE, value.y * COLOUR_SCALE, value.z * COLOUR_SCALE, 1.0f);
}

D3DXVECTOR3 ReadDirection(int file)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line);
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, TripleValue(line));
    return direction;
}

void DrawThreeRandomNumbers()
{
    for (int i = 0; i < 3; ++i)
        static_cast<void>(std::rand());
}

} // namespace

CEnvironment::CEnvironment() : EnvironmentLighting {}, shadowStrength(0.0f), shadowVector(0, 0, 0)
{
    colour1 = D3DXVECTOR4(1, 1, 1, 1);
    colour2 = D3DXVECTOR4(1, 1, 1, 1);
}

void CEnvironment::ResetStrengths()
{
    intensity1 = intensity2 = 1.0f;
    shadowStrength = 1.0f;
    shadowVector = -direction1;
}

int CEnvironment::Init()
{
    colour1 = D3DXVECTOR4(1, 1, 1, 1);
    colour2 = D3DXVECTOR4(0, 0, 0.5f, 1);
    Vec3Normalize(direction1, D3DXVECTOR3(1, -1, -1));
    Vec3Normalize(direction2, D3DXVECTOR3(-1, -1, 1));
    ResetStrengths();
    stars.Load();
    sun.Load();
    lightManager.AttachLighting(this);
    return 1;
}

void CEnvironment::Release()
{
    stars.Release();
    sun.Release();
}

void CEnvironment::LoadLighting(int file)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(file, line); // the line before the block
    colour1 = ReadLightColour(file);
    colour2 = ReadLightColour(file);
    direction1 = ReadDirection(file);
    direction2 = ReadDirection(file);
    ResetStrengths();
    sun.UpdatePosition(direction1, colour1);
    DrawThreeRandomNumbers();
}

void CEnvironment::Reset() { DrawThreeRandomNumbers(); }
