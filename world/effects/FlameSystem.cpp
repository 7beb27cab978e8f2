// The flame particle pool: start, per-frame motion and fading, the vertex buffer of the visible
// quads and their one additive draw.
#include "world/effects/FlameSystem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "world/World.h"
#include "world/objects/StaticObject.h"

namespace {

constexpr int QUAD_VERTICES = 4;
constexpr int QUAD_INDICES = 6;
constexpr UINT VERTEX_BYTES = FLAME_PARTICLE_CAPACITY * QUAD_VERTICES * sizeof(GlowVertex); // 262144
constexpr UINT INDEX_BYTES = FLAME_PARTICLE_CAPACITY * QUAD_INDICES * sizeof(WORD);           // 12288

// Corner k of a quad of half-size s: (x s, y s, 0.25 s) at its texture coordinates.
const GlowCorner* const CORNERS = WHOLE_TEXTURE_CORNERS;

void WriteCorner(GlowVertex& vertex, const GlowCorner& corner, float size)
{
    vertex.x = corner.x * size;
    vertex.y = corner.y * size;
    vertex.z = 0.25f * size;
    vertex.u = corner.u;
    vertex.v = corner.v;
}

// (rand() mod 10001) - 5000.
float RandomAxis() { return static_cast<float>(std::rand() % 10001 - 5000); }

} // namespace

void CFlameSystem::Particle::Reset()
{
    active = 0;
    owner = nullptr;
    startPosition = position = velocity = up = D3DXVECTOR3(0, 0, 0);
    spin = life = remaining = size = growth = cameraDistance = 0.0f;
    startColour = colour = D3DXVECTOR4(1, 1, 1, 1);
    fadeColour = 0;
}

CFlameSystem::CFlameSystem() : textureId(-1), vertexBuffer(nullptr), indexBuffer(nullptr), drawList {}, visibleCount(0)
{
    ClearParticles();
}

void CFlameSystem::ClearParticles()
{
    for (Particle& particle : particles)
        particle.Reset();
    count = 0;
    visibleCount = 0;
}

int CFlameSystem::Init()
{
    Release();
    textureId = d3dRender.LoadTexture("Data/Effects/Flames/FlameWhite.bmp", 0);
    CreateBuffers();
    visibleCount = 0;
    return 1;
}

void CFlameSystem::CreateBuffers()
{
    IDirect3DDevice9* device = d3dRender.device;
    if (!device)
        return;
    std::vector<GlowVertex> vertices(FLAME_PARTICLE_CAPACITY * QUAD_VERTICES, GlowVertex {});
    std::vector<WORD> indices(FLAME_PARTICLE_CAPACITY * QUAD_INDICES);
    for (unsigned quad = 0; quad < FLAME_PARTICLE_CAPACITY; ++quad) {
        for (int k = 0; k < QUAD_VERTICES; ++k) {
            GlowVertex& vertex = vertices[quad * QUAD_VERTICES + k];
            WriteCorner(vertex, CORNERS[k], 1.0f);
            vertex.colour = 0xFFFFFFFFu;
        }
        WriteQuadIndices(&indices[quad * QUAD_INDICES], quad);
    }
    void* data = nullptr;
    if (SUCCEEDED(device->CreateVertexBuffer(VERTEX_BYTES, 0, GLOW_VERTEX_FVF, D3DPOOL_MANAGED, &vertexBuffer, nullptr)) &&
        SUCCEEDED(vertexBuffer->Lock(0, 0, &data, D3DLOCK_DISCARD))) {
        std::memcpy(data, vertices.data(), VERTEX_BYTES);
        vertexBuffer->Unlock();
    }
    if (SUCCEEDED(device->CreateIndexBuffer(INDEX_BYTES, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indexBuffer, nullptr)) &&
        SUCCEEDED(indexBuffer->Lock(0, 0, &data, D3DLOCK_DISCARD))) {
        std::memcpy(data, indices.data(), INDEX_BYTES);
        indexBuffer->Unlock();
    }
}

void CFlameSystem::Release()
{
    d3dRender.ReleaseTexture(textureId);
    textureId = -1;
    if (vertexBuffer)
        vertexBuffer->Release();
    if (indexBuffer)
        indexBuffer->Release();
    vertexBuffer = nullptr;
    indexBuffer = nullptr;
    ClearParticles();
}

void CFlameSystem::Clear() { ClearParticles(); }

int CFlameSystem::AddParticle(const D3DXVECTOR3& position, const D3DXVECTOR3& velocity, float size, float life,
                              float growth, const D3DXVECTOR4& colour, int fadeColour, CStaticObject* owner)
{
    if (count >= FLAME_PARTICLE_CAPACITY)
        return 0;
    InitParticle(particles[count], position, velocity, size, life, growth, colour, fadeColour, owner);
    ++count;
    return 1;
}

void CFlameSystem::InitParticle(Particle& particle, const D3DXVECTOR3& position, const D3DXVECTOR3& velocity,
                                float size, float life, float growth, const D3DXVECTOR4& colour, int fadeColour,
                                CStaticObject* owner)
{
    particle.owner = owner;
    particle.active = 1;
    particle.startPosition = particle.position = position;
    particle.velocity = velocity;

    // [-0.3, 0.3] moved 0.2 away from zero.
    const float spin = static_cast<float>(std::rand() % 601) * 0.001f - 0.3f;
    particle.spin = spin < 0.0f ? spin - 0.2f : spin + 0.2f;

    particle.life = particle.remaining = life;
    particle.size = size;
    particle.growth = growth;

    D3DXVECTOR4 varied;
    varied.x = colour.x + static_cast<float>(std::rand() % 101) * 0.0025f;
    varied.y = colour.y + static_cast<float>(std::rand() % 101) * 0.0025f;
    varied.z = colour.z + static_cast<float>(std::rand() % 101) * 0.0025f;
    varied.w = colour.w + 1.0f;
    Vec4LimitMax(particle.startColour, varied, 1.0f);
    particle.colour = particle.startColour;
    particle.fadeColour = fadeColour;

    const float x = RandomAxis();
    const float y = RandomAxis();
    Vec3Normalize(particle.up, D3DXVECTOR3(x, y, 0.0f));
}

bool CFlameSystem::UpdateParticle(Particle& particle, float step, const D3DXVECTOR3& eye)
{
    particle.remaining -= step;
    if (particle.remaining <= 0.0f) {
        particle.active = 0;
        particle.owner = nullptr;
        return false;
    }

    if (particle.owner && particle.owner->objectType == GTYPE_VEHICLE) {
        // Attached to the scooter, trailing back towards the start point as it ages.
        D3DXVec3TransformCoord(&particle.position, &particle.velocity, &particle.owner->world);
        const float age = 1.0f - particle.remaining / particle.life;
        particle.position -= (particle.position - particle.startPosition) * age * 0.5f;
    } else {
        particle.position += particle.velocity * step;
    }
    particle.size += particle.growth * step;

    const CCamera* camera = world.activeCamera;
    if (!camera || !camera->SphereTest(particle.position, particle.size))
        return true;

    particle.cameraDistance = Vec3Distance(particle.position, eye);
    D3DXVECTOR4 colour = particle.startColour;
    float factor = 1.0f;
    const float half = particle.life * 0.5f;
    if (particle.fadeColour) {
        // From about (1, 1, 0.5) at birth to the start colour by mid-life, fading in over the first fifth.
        const float m = particle.remaining > half ? (particle.remaining - half) / half : 0.0f;
        const D3DXVECTOR4 hot(colour.x * (1 - m) + m, colour.y * (1 - m) + m, colour.z * (1 - m) + 0.5f * m,
                              colour.w * (1 - m) + 1.0f);
        Vec4LimitMax(colour, hot, 1.0f);
        if (particle.remaining >= 0.8f * particle.life)
            factor = 1.0f - (particle.remaining - 0.8f * particle.life) / (0.2f * particle.life);
    }
    if (particle.remaining < half)
        factor *= particle.remaining / half;
    // Fades out as the eye comes into it.
    const float h = particle.size * 0.5f;
    const float u = std::max(0.0f, Vec3Distance(eye, particle.position) - h);
    if (u < h)
        factor *= u / h;

    particle.colour = colour * factor;
    particle.colour.w = factor;
    if (factor == 0.0f) {
        particle.active = 0;
        particle.owner = nullptr;
        return false;
    }

    D3DXMATRIX facing, spin, frame;
    BuildLookAtMatrix(facing, particle.position, eye, particle.up);
    D3DXMatrixRotationZ(&spin, particle.spin * step * 10.0f);
    D3DXMatrixMultiply(&frame, &spin, &facing);
    particle.up = D3DXVECTOR3(frame._21, frame._22, frame._23);
    drawList[visibleCount++] = &particle;
    return true;
}

void CFlameSystem::Update()
{
    visibleCount = 0;
    const D3DXVECTOR3 eye = world.activeCamera ? world.activeCamera->eye : D3DXVECTOR3(0, 0, 0);
    const float step = gameTimer.gameStep;
    int i = 0;
    while (i < count) {
        if (UpdateParticle(particles[i], step, eye)) {
            ++i;
            continue;
        }
        // The last live particle fills the slot and is updated in its place.
        --count;
        particles[i] = particles[count];
        particles[count].Reset();
    }
    if (visibleCount > 0)
        Build();
}

void CFlameSystem::Build()
{
    void* data = nullptr;
    if (!vertexBuffer || FAILED(vertexBuffer->Lock(0, 0, &data, D3DLOCK_DISCARD)))
        return;
    auto* vertices = static_cast<GlowVertex*>(data);
    for (int j = 0; j < visibleCount; ++j) {
        const Particle& particle = *drawList[j];
        const std::uint32_t colour = ArgbColour(particle.colour);
        for (int k = 0; k < QUAD_VERTICES; ++k) {
            GlowVertex& vertex = vertices[j * QUAD_VERTICES + k];
            WriteCorner(vertex, CORNERS[k], particle.size);
            vertex.colour = colour;
            vertex.centreX = particle.position.x;
            vertex.centreY = particle.position.y;
            vertex.centreZ = particle.position.z;
            vertex.upX = particle.up.x;
            vertex.upY = particle.up.y;
            vertex.upZ = particle.up.z;
            std::fill(std::begin(vertex.spare), std::end(vertex.spare), 0.0f);
        }
    }
    vertexBuffer->Unlock();
}

void CFlameSystem::TurnToEye(const D3DXVECTOR3& eye)
{
    void* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &data, D3DLOCK_NOOVERWRITE)))
        return;
    auto* vertices = static_cast<GlowVertex*>(data);
    for (int j = 0; j < visibleCount; ++j) {
        // From the particle's own size, so that a frame drawn twice is turned the same way.
        const Particle& particle = *drawList[j];
        for (int k = 0; k < QUAD_VERTICES; ++k) {
            GlowVertex& vertex = vertices[j * QUAD_VERTICES + k];
            const D3DXVECTOR3 corner(CORNERS[k].x * particle.size, CORNERS[k].y * particle.size, 0.25f * particle.size);
            const D3DXVECTOR3 turned = FacingCorner(corner, particle.position, eye, particle.up);
            vertex.x = turned.x;
            vertex.y = turned.y;
            vertex.z = turned.z;
        }
    }
    vertexBuffer->Unlock();
}

void CFlameSystem::Draw()
{
    IDirect3DDevice9* device = d3dRender.device;
    if (visibleCount == 0 || !device || !vertexBuffer || !indexBuffer)
        return;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    const bool shaders = d3dRender.SetGlowTechnique(textureId, identity);
    if (shaders) {
        const D3DXVECTOR4 noFog(1, 1, 1, 1);
        d3dRender.effect->SetVector("FogParam", &noFog);
    } else if (world.activeCamera) {
        TurnToEye(world.activeCamera->eye);
    }
    d3dRender.SetGlowStates(vertexBuffer);
    device->SetIndices(indexBuffer);
    d3dRender.DrawGlowTriangles(shaders, static_cast<UINT>(visibleCount * QUAD_VERTICES),
                                static_cast<UINT>(visibleCount * 2));
}
