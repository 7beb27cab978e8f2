#pragma once
// The race world's one pool of flame particles: camera-facing additive sprites emitted by the
// flame components of objects and by scooters put back on the track. At most 1024 live
// particles, kept in slots 0 to count-1, moved, grown, recoloured and faded every frame and drawn
// in one indexed call.
#include "engine/render/GlowVertex.h"
#include "platform/gfx/D3D9.h"
#include "platform/gfxx/D3DXMath.h"

class CStaticObject;

constexpr int FLAME_PARTICLE_CAPACITY = 1024;

class CFlameSystem {
public:
    struct Particle {
        int active;
        CStaticObject* owner; // not owned; null when none
        D3DXVECTOR3 startPosition;
        D3DXVECTOR3 position;
        // For a particle owned by a scooter: the attachment point in the owner's model space.
        D3DXVECTOR3 velocity;
        D3DXVECTOR3 up;
        float spin;
        float life;
        float remaining;
        float size; // half the sprite's width
        float growth;
        float cameraDistance;
        D3DXVECTOR4 startColour;
        D3DXVECTOR4 colour;
        int fadeColour;

        // Colours 1, vectors 0, inactive.
        void Reset();
    };

    CFlameSystem();

    // Loads the flame texture and builds both buffers; 1 in every case.
    int Init();
    void Release();
    // Between races: no particles.
    void Clear();
    // 0 when the pool is full, else 1.
    int AddParticle(const D3DXVECTOR3& position, const D3DXVECTOR3& velocity, float size, float life, float growth,
                    const D3DXVECTOR4& colour, int fadeColour, CStaticObject* owner);
    // Once per race frame: moves and fades the particles, fills the draw list and the buffer.
    void Update();
    void Draw();

    void InitParticle(Particle& particle, const D3DXVECTOR3& position, const D3DXVECTOR3& velocity, float size,
                      float life, float growth, const D3DXVECTOR4& colour, int fadeColour, CStaticObject* owner);
    // false when the particle ended this frame.
    bool UpdateParticle(Particle& particle, float step, const D3DXVECTOR3& eye);
    // Writes the draw list's quads into the vertex buffer.
    void Build();

    int textureId;
    IDirect3DVertexBuffer9* vertexBuffer;
    IDirect3DIndexBuffer9* indexBuffer;
    Particle* drawList[FLAME_PARTICLE_CAPACITY];
    int visibleCount;
    Particle particles[FLAME_PARTICLE_CAPACITY];
    int count;

private:
    void ClearParticles();
    void CreateBuffers();
    // The fixed-function path: each visible corner turned to the eye on the processor.
    void TurnToEye(const D3DXVECTOR3& eye);
};

extern CFlameSystem flameSystem;
