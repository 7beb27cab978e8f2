#pragma once
// Every placed thing of the race world: a mesh instance read from an object description, with
// a class and a type, a material by type and the Bump setting, up to thirteen visual components
// in fixed slots and an optional Bullet rigid body. Scene objects, track pieces and scooters
// build on it.
#include <cstdint>
#include <memory>

#include "engine/mesh/MeshObject.h"
#include "world/objects/ObjectDescription.h"

class btRigidBody;
struct btDefaultMotionState;
class CChromeEffect;
class CRGlassEffect;
class CLightMapsEffect;
class CSelfIllumEffect;
class CPlanetGaloEffect;
class CPlanetCloudsEffect;
class CPlanetOceanEffect;
class CLightsEffect;
class CDirectLightsEffect;
class CSpotsEffect;
class CFlameEffect;
class CObjectShadow;

constexpr int STATIC_OBJECT_PATH_SIZE = 260;
constexpr int VEHICLE_NAME_SIZE = 64;

// The thirteen component slots, in the order of the GEFFECT_ codes; the two shadow codes share
// the last one. Each component is owned.
struct ObjectComponents {
    ObjectComponents();
    ~ObjectComponents();
    ObjectComponents(const ObjectComponents&) = delete;
    ObjectComponents& operator=(const ObjectComponents&) = delete;

    std::unique_ptr<CChromeEffect> chrome;
    std::unique_ptr<CRGlassEffect> rGlass;
    std::unique_ptr<CLightMapsEffect> lightMaps;
    std::unique_ptr<CSelfIllumEffect> selfIllum;
    std::unique_ptr<CPlanetGaloEffect> planetGalo;
    std::unique_ptr<CPlanetCloudsEffect> planetClouds;
    std::unique_ptr<CPlanetOceanEffect> planetOcean;
    std::unique_ptr<CLightsEffect> lights;
    std::unique_ptr<CDirectLightsEffect> directLights;
    std::unique_ptr<CSpotsEffect> spots;
    std::unique_ptr<CFlameEffect> flame;
    std::unique_ptr<CFlameEffect> engineFlame;
    std::unique_ptr<CObjectShadow> shadow;
};

class CStaticObject : public CMeshObject {
public:
    CStaticObject();
    // Releases what Release has not.
    ~CStaticObject();
    CStaticObject(const CStaticObject&) = delete;
    CStaticObject& operator=(const CStaticObject&) = delete;

    // Reads the description: the handle, or -1 (with the "CStaticObject error!" box) when it
    // cannot be opened. closeFile 0 leaves the file open at the line after "//--" for the
    // caller's own lines. seed: -1 or a number choosing the base texture variant.
    int Load(const char* path, int closeFile, int seed);
    // Body, mesh, textures and components; may run twice.
    void Release();
    // The light-like components and the shadow, while enabled.
    void Update();
    // Within the view distance and on screen.
    void UpdateVisibility();

    // Creates the rigid body, or puts an existing one back to its start transform. mass -1.0
    // takes position, facing and up from the placement and the stored mass.
    void CreatePhysics(float mass, const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
    // Out of the dynamics world and deleted.
    void RemoveBody();

    // The three draw passes: body by type, then the effect layers, then the reflections.
    void Draw();
    void DrawEffects();
    void DrawTransparent();
    // True when the draw passes skip the object: not visible, or the scooter that the camera
    // views from (mode 1).
    bool HiddenFromCamera() const;

    // Probes against the object's collision models (defined with the collision queries).
    int RayTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, D3DXVECTOR3* hitPoint, int mode);
    int SegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length, D3DXVECTOR3* hitPoint);
    int ContactTest(CStaticObject* other, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal);
    int SphereTest(const D3DXVECTOR3& centre, float radius, D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal);
    int GroundSegmentTest(const D3DXVECTOR3& origin, const D3DXVECTOR3& end, float length, D3DXVECTOR3* hitPoint,
                          D3DXVECTOR3* normal);

    char path[STATIC_OBJECT_PATH_SIZE]; // "/" for every "\"
    int objectClass; // a GCLASS_ value
    int objectType;  // a GTYPE_ value
    int serial;      // program-wide construction counter
    // Rows right, up, forward, position.
    D3DXMATRIX placement;
    D3DXVECTOR3 worldCentre; // bounding-sphere centre in world space, kept by the owner
    float cameraDistance;
    int visible;
    int collidable; // 0: the probes pass over the object
    int enabled;    // 0: update and draw skip the object
    int lightBlock; // handed to the light manager's per-object hooks
    ObjectComponents components;
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btRigidBody> body;
    float mass;
    char vehicleName[VEHICLE_NAME_SIZE]; // line 8 of a scooter's description, else empty
    float vehicleValues[3];              // the scooter's own: 0, 0, 10.0 at construction
    D3DXVECTOR3 linearVelocity;
    D3DXVECTOR3 angularVelocity;
    std::uint32_t lastContactSoundTime; // game milliseconds

    static int serialCounter;

private:
    // Mesh key 5 (bump-mapped) or 0 for this type at the current Bump setting.
    bool BumpMapped() const;
    void ReadComponents(int handle, char* line);
    void SetMaterialByType();
    void DrawBumpMapped(const char* technique, int alphaBlend, bool withTime);
    void DrawFixed(int alphaBlend);
};
