#pragma once
// One hover scooter, the player's or a computer racer's: a static object with a rigid body and a
// ray-cast vehicle whose four wheels are the hover pads. Its own code keeps it floating over the
// track pieces, turns throttle and steering into velocity changes, follows its progress along
// the track's segment points, handles falling off and the respawn, records the finish and
// drives its engine sound.
#include <BulletDynamics/Vehicle/btRaycastVehicle.h>

#include "audio/SoundOwner.h"
#include "platform/gfxx/D3DXMath.h"
#include "world/objects/StaticObject.h"

class CSound;

constexpr int RACER_NAME_SIZE = 16; // a player's name: 15 characters and the terminator

enum VehicleDriver {
    DRIVER_COMPUTER = 1,
    DRIVER_PLAYER = 2,
};

enum VehicleRaceState {
    RACE_STATE_GRID = 1,    // held by the brakes
    RACE_STATE_RACING = 2,
    RACE_STATE_FALLEN = 3,  // the respawn sequence
};

enum VehicleFallStep {
    FALL_STEP_FALLEN = 0,
    FALL_STEP_TUMBLING = 1,
    FALL_STEP_MATERIALISING = 2,
};

// One step of the computer driver: what it hands to ApplyControls.
struct DriveDecision {
    int throttle;
    float steer;
};

// As an engine sound owner it hands its position, velocity and camera distance to the audio
// banks; its own camera distance is the static object's.
class CVehicle : public CStaticObject, public EngineSoundOwner {
public:
    using CStaticObject::cameraDistance;

    // Beyond this camera distance the ray-cast vehicle leaves the simulation.
    static constexpr float PAD_SIMULATION_DISTANCE = 40.0f;
    // At or within this camera distance the body uses its primitive shape, else its box.
    static constexpr float PRIMITIVE_SHAPE_DISTANCE = 20.0f;

    CVehicle();

    // The description and the scooter's own lines after it (levels, pad radius, engine sound set).
    void Load(const char* path);
    // topSpeed, drivePower and handling from the current levels.
    void UpdateParameters();
    // Null position: the scooter's own position, 100 ahead of it and its up row. Builds or resets
    // the physics with mass = handling, then SetDriver.
    void Place(const D3DXVECTOR3* position, const D3DXVECTOR3* target, const D3DXVECTOR3* up, int driverKind);
    void SetDriver(int driverKind);
    int GetDriver() const { return driver; }
    // Grid row, the segment past which a computer racer brakes, and the grid column; equal
    // segments (a restart) keep the grid segment and column.
    void SetGridSlot(int gridSegmentIndex, int stopSegmentIndex, int column);
    // A computer racer's levels from the player's and RacerLevelFactor.
    void SetOpponentLevels();

    void Update();
    // throttle -1, 0 or 1; steer -1..1 from the player, up to +-2.5 from the computer.
    void ApplyControls(int throttle, float steer);
    // One computer driving step: PlanComputerDrive, then ApplyControls.
    void DriveComputer();
    // The computer driver's choice for this frame; moves lane and aimPoint.
    DriveDecision PlanComputerDrive();

    void Draw();
    void ReleasePhysics();
    // Engine sound, ray-cast vehicle, then the static object's release.
    void Destroy();

    // Per-frame steps of Update, public for the race and the tests.
    void UpdateGroundAndHover();
    void UpdateState();
    int UpdateProgress();
    void UpdatePlace();
    void DrivePlayer();
    void UpdateRespawn();
    void UpdateEngineSound();
    // The finish rule: past the finish zone's start, racing and with ground contact.
    bool InFinishZone() const;
    // The mean of the speed samples: kept in speedSum from the finish on, summed up before it.
    float AverageSpeed() const;

    int driver;
    // The racer's name on the results: the player's name, or "CPU"; set by the grid. The
    // scooter's own name stays in vehicleName.
    char racerName[RACER_NAME_SIZE];
    int raceState;
    int fallStep;
    // position (3 floats) is the sound owner's: the body's position, copied every frame.
    D3DXVECTOR3 aimPoint;
    float effectTimer;
    float stateTime;
    float placeTimer;
    float distanceToFinish;
    float finishTime;
    float maxSpeed;
    float speedSum;
    int speedSamples;
    int gridSegment;
    // The last segment passed, also in the air: the fall check and the computer driver follow it.
    int segment;
    // The last segment reached with road under the scooter: the place and the respawn count it, so
    // a flight beside the course gains nothing.
    int roadSegment;
    int stopSegment;
    int gridColumn;
    float lane;
    int lastCueSegment;
    int place;
    int speedLevel, baseSpeedLevel;
    int powerLevel, basePowerLevel;
    int controlLevel, baseControlLevel;
    float speed;
    float topSpeed;
    float drivePower;
    float handling;
    float throttleLevel;
    int engineSoundSet;
    // engineSound, engineVolume and the pitch (engineFrequency) are the engine sound owner's.
    btRaycastVehicle* raycastVehicle;
    btRaycastVehicle::btVehicleTuning tuning;
    int inWorld;
    float padRadius;
    D3DXVECTOR3 padCentre;
    int groundContacts;
    int hasGround;
    D3DXVECTOR3 groundPoint;
    D3DXVECTOR3 groundNormal;
    float groundDistance;
    float airTime;
    // Seconds racing without the pads near the road: a scooter lodged beside it or above it (on a
    // decor, a structure or another scooter) or lying upside down counts as fallen after a while.
    float offRoadTime;
    // velocity (3 floats) is the sound owner's working copy of the body's linear velocity.
    D3DXVECTOR3 spin;
    float linearDamping;
    float angularDamping;
    // Whether the body currently uses its primitive shape.
    int primitiveShapeOn;

private:
    // Builds the body and its ray-cast vehicle, or puts an existing body at the new place.
    void SetUpPhysics(const D3DXVECTOR3& position, const D3DXVECTOR3& target, const D3DXVECTOR3& up);
    void BuildPhysics(const btTransform& start);
    void ResetPhysics(const btTransform& start);
    void UpdateCollisionShape();
    void UpdatePadSimulation();
    // Counts reached as road progress when there is road under the scooter; returns it.
    int KeepRoadProgress(int reached);
    void PlayVoiceCue();
    // Where a fallen scooter comes back: at or before roadSegment, off loops, before the finish zone.
    int FindRespawnSegment() const;
    void StartFall();
    void Tumble();
    void Materialise();
    void AddRespawnParticle(const D3DXVECTOR3& at, const D3DXVECTOR3& particleVelocity, float size, float life,
                            float growth);
    // The scooter's axes (world matrix rows).
    D3DXVECTOR3 Right() const { return {world._11, world._12, world._13}; }
    D3DXVECTOR3 Up() const { return {world._21, world._22, world._23}; }
    D3DXVECTOR3 Forward() const { return {world._31, world._32, world._33}; }
    D3DXVECTOR3 ToLocal(const D3DXVECTOR3& v) const;
    D3DXVECTOR3 ToWorld(const D3DXVECTOR3& v) const;
};
