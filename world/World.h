#pragma once
// The race world: the owner of the frame. Initialises and releases every world part in order,
// runs one frame per pass of the main loop, renders the scene in passes selected by object-type
// masks with stencil shadow volumes, loads locations, clears the world between races and starts
// and restarts races. The camera is its first part.
#include "world/ImpactSound.h"
#include "world/camera/Camera.h"

class btDefaultCollisionConfiguration;
class btAxisSweep3;
class btCollisionDispatcher;
class btSequentialImpulseConstraintSolver;
class btDiscreteDynamicsWorld;
class btDefaultVehicleRaycaster;

class CWorld : public CCamera {
public:
    CWorld()
        : activeCamera(nullptr), collisionConfiguration(nullptr), broadphase(nullptr), dispatcher(nullptr),
          solver(nullptr), dynamicsWorld(nullptr), vehicleRaycaster(nullptr), manifoldCount(0)
    {
    }

    // 1 when every part initialised, 0 at the first failure.
    int Init();
    void Release();
    // One pass of the game: clock, drawing, simulation, audio, present.
    void Frame();
    void Render();
    void RenderShadowVolumes();
    void DrawShadowOverlay();
    // Location numbers from 1.
    void LoadLocation(int location);
    void Clear();
    // Seed -1: from the clock; playerVehicle -1: a random scooter.
    void StartRace(int seed, int trackType, int length, int racers, int playerVehicle);
    void RestartRace();

    // Returns 1.
    int InitPhysics();
    void StepPhysics();
    // Impact sounds from the contact manifolds of the last step.
    void ProcessContacts();
    void RemoveCollisionObjects();
    void ReleasePhysics();

    // The camera whose update, fade and debug text the frame runs.
    CCamera* activeCamera;
    btDefaultCollisionConfiguration* collisionConfiguration;
    btAxisSweep3* broadphase;
    btCollisionDispatcher* dispatcher;
    btSequentialImpulseConstraintSolver* solver;
    btDiscreteDynamicsWorld* dynamicsWorld;
    btDefaultVehicleRaycaster* vehicleRaycaster;
    // Contact manifolds of the last physics step.
    int manifoldCount;
    SceneImpactOwners sceneImpactOwners;

private:
    void PlayImpactAt(CStaticObject* object, float volume);
    // True when shadows are drawn at all: not disabled by the End key, the setting or the lighting.
    bool ShadowsEnabled() const;
    void DrawShadowCasters();
    void UpdateRace();
};

extern CWorld world;
