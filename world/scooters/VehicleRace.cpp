// The scooter in the race: grid slot, levels, progress along the centre line, place, finish,
// the voice cue, falling off and the respawn.
#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "audio/AudioManager.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/effects/FlameSystem.h"
#include "world/race/Hud.h"
#include "world/race/Race.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Platform.h"
#include "world/track/Track.h"

namespace {

constexpr float FALL_DEPTH = 2.5f;
constexpr float FALL_DISTANCE = 30.0f;
// Longer than any flight over a crest or a jump on the course.
constexpr float STRANDED_SECONDS = 5.0f;
constexpr float PLACE_DELAY = 0.25f;
constexpr float SEGMENT_LENGTH = 20.0f;
constexpr int CUE_SPACING = 5;
constexpr int STRAIGHT_KIND_A = 5;
constexpr int STRAIGHT_KIND_B = 12;
constexpr int RESPAWN_PIECE_POINT = 6;
constexpr float TUMBLE_TIME = 2.0f;
constexpr float MATERIALISE_TIME = 1.0f;
constexpr float PARTICLE_INTERVAL = 0.1f;
const D3DXVECTOR3 WORLD_UP(0.0f, 1.0f, 0.0f);
const D3DXVECTOR3 RESPAWN_CAMERA_LIFT(0.0f, 15.0f, 0.0f);
const D3DXVECTOR3 RESPAWN_LIFT(0.0f, 8.0f, 0.0f);
const D3DXVECTOR4 RESPAWN_COLOUR(1.0f, 0.5f, 1.0f, 1.0f);

int SegmentCount() { return int(track.segmentCount); }

bool IsStraightWithCue(int kind) { return kind == STRAIGHT_KIND_A || kind == STRAIGHT_KIND_B; }

bool IsLoop(int kind) { return unsigned(kind) >= unsigned(TRACK_LOOP_KIND); }

bool LoopAt(int segmentIndex)
{
    const CPlatform* owner = track.segmentOwners[segmentIndex];
    return owner && IsLoop(owner->pieceKind);
}

// A spread of -0.125 .. 0.125 drawn from rand().
float LevelSpread() { return (float(std::rand() % 1001) * 0.0002f - 0.1f) * 1.25f; }

bool IsPlayerOutsideAutoplay(const CVehicle* vehicle)
{
    return vehicle == playerVehicle && race.sequence != RACE_SEQUENCE_AUTOPLAY;
}

} // namespace

bool CVehicle::InFinishZone() const
{
    return unsigned(segment) > track.segmentCount - unsigned(TRACK_FINISH_SEGMENTS) && raceState == RACE_STATE_RACING &&
           groundContacts;
}

float CVehicle::AverageSpeed() const
{
    if (finishTime != 0.0f)
        return speedSum;
    return speedSamples > 0 ? speedSum / float(speedSamples) : 0.0f;
}

void CVehicle::SetGridSlot(int gridSegmentIndex, int stopSegmentIndex, int column)
{
    if (this == playerVehicle) {
        SetDriver(DRIVER_PLAYER);
        std::strncpy(racerName, PlayerName, RACER_NAME_SIZE - 1);
        racerName[RACER_NAME_SIZE - 1] = 0;
    } else {
        SetOpponentLevels();
        D3DXVECTOR3 drawn;
        drawn.x = float(std::rand() % 4) * 33.33f;
        drawn.y = float(std::rand() % 4) * 33.33f;
        drawn.z = float(std::rand() % 4) * 33.33f;
        D3DXVECTOR4 colour;
        ColorNormalizeMax(colour, drawn);
        material.Diffuse = D3DCOLORVALUE {colour.x, colour.y, colour.z, 1.0f};
        driver = DRIVER_COMPUTER;
        std::strcpy(racerName, "CPU");
    }
    if (gridSegmentIndex != stopSegmentIndex) {
        gridSegment = segment = gridSegmentIndex;
        stopSegment = stopSegmentIndex;
        gridColumn = column;
    } else {
        segment = gridSegment;
    }
    roadSegment = segment;
    finishTime = maxSpeed = speedSum = 0.0f;
    speedSamples = 0;
    lane = float(gridColumn);
    UpdatePlace();
    raceState = RACE_STATE_RACING;
    fallStep = FALL_STEP_FALLEN;
    stateTime = effectTimer = 0.0f;
}

void CVehicle::SetOpponentLevels()
{
    if (!playerVehicle)
        return;
    const CVehicle& player = *playerVehicle;
    speedLevel = baseSpeedLevel = std::max(speedLevel, player.speedLevel);
    powerLevel = basePowerLevel = std::max(powerLevel, player.powerLevel);
    controlLevel = baseControlLevel = std::max(controlLevel, player.controlLevel);
    UpdateParameters();
    const float level = RacerLevelFactor;
    handling *= std::max(0.8f, 1.8f - level + LevelSpread());
    topSpeed = std::max(45.0f, (LevelSpread() + level) * topSpeed);
    drivePower = std::max(20.0f, (LevelSpread() + level) * drivePower);
}

void CVehicle::UpdateState()
{
    switch (raceState) {
    case RACE_STATE_GRID:
        ApplyControls(-1, 0.0f);
        break;
    case RACE_STATE_RACING:
        segment = UpdateProgress();
        if (driver == DRIVER_PLAYER && unsigned(segment) > track.segmentCount - unsigned(TRACK_FINISH_SEGMENTS) &&
            groundContacts)
            SetDriver(DRIVER_COMPUTER);
        if (driver == DRIVER_PLAYER)
            DrivePlayer();
        else
            DriveComputer();
        UpdatePlace();
        break;
    case RACE_STATE_FALLEN:
        UpdateRespawn();
        break;
    default:
        break;
    }
}

int CVehicle::UpdateProgress()
{
    const int count = SegmentCount();
    if (count < 2 || segment < 0 || segment >= count)
        return segment;
    const D3DXVECTOR3& point = track.segmentPoints[segment];
    const bool offTheCourse = position.y < point.y - FALL_DEPTH && Vec3Distance(position, point) > FALL_DISTANCE;
    // A scooter lodged off the road near its segment point would neither fall nor finish.
    if (offTheCourse || offRoadTime > STRANDED_SECONDS) {
        raceState = RACE_STATE_FALLEN;
        fallStep = FALL_STEP_FALLEN;
        stateTime = effectTimer = 0.0f;
        return segment;
    }
    if (segment >= count - 2)
        return KeepRoadProgress(count - 2);
    int reached = segment;
    while (reached < count - 2) {
        const D3DXVECTOR3& from = track.segmentPoints[reached];
        D3DXVECTOR3 direction;
        Vec3Normalize(direction, track.segmentPoints[reached + 1] - from);
        const D3DXVECTOR3 offset = position - from;
        if (D3DXVec3Dot(&offset, &direction) <= -2.0f * radius)
            break;
        ++reached;
    }
    aimPoint = track.segmentPoints[reached];
    return KeepRoadProgress(reached);
}

int CVehicle::KeepRoadProgress(int reached)
{
    if (hasGround)
        roadSegment = reached;
    return reached;
}

void CVehicle::UpdatePlace()
{
    placeTimer += gameTimer.gameStep;
    if (placeTimer < PLACE_DELAY)
        return;
    distanceToFinish = 0.0f;
    if (InFinishZone()) {
        if (finishTime == 0.0f) {
            finishTime = gameTimer.SecondsSince(track.raceStartTime);
            if (speedSamples > 0)
                speedSum /= float(speedSamples);
        }
        track.UpdateOrder(this);
        return;
    }
    const int count = SegmentCount();
    if (roadSegment >= 0 && roadSegment < count)
        distanceToFinish = std::min(FALL_DISTANCE, Vec3Distance(position, track.segmentPoints[roadSegment]));
    if (roadSegment < count - 9)
        distanceToFinish += SEGMENT_LENGTH * float(count - 9 - roadSegment);
    track.UpdateOrder(this);
    if (raceState == RACE_STATE_RACING && groundContacts)
        maxSpeed = std::max(maxSpeed, speed);
    if (finishTime == 0.0f && speed >= 0.0f) {
        ++speedSamples;
        speedSum += speed;
    }
}

void CVehicle::PlayVoiceCue()
{
    const int count = SegmentCount();
    if (segment < 0 || segment >= count || std::abs(segment - lastCueSegment) < CUE_SPACING || !hasGround)
        return;
    const CPlatform* piece = track.segmentOwners[segment];
    if (!piece || !piece->mesh)
        return;
    const int kind = piece->pieceKind;
    if (!IsLoop(kind) && !IsStraightWithCue(kind))
        return;
    const int lastCentreSegment = int(piece->mesh->controlPointCount[MESH_GROUP_BODY]) - 2;
    if (track.NearestPiecePoint(piece, track.segmentPoints[segment]) != lastCentreSegment || audioManager.voiceSegment)
        return;
    audioManager.PlayVoice(3, nullptr);
    lastCueSegment = segment;
}

void CVehicle::UpdateRespawn()
{
    switch (fallStep) {
    case FALL_STEP_FALLEN:
        StartFall();
        break;
    case FALL_STEP_TUMBLING:
        Tumble();
        break;
    case FALL_STEP_MATERIALISING:
        Materialise();
        break;
    default:
        break;
    }
}

void CVehicle::StartFall()
{
    CCamera* camera = ::world.activeCamera;
    if (IsPlayerOutsideAutoplay(this) && camera) {
        D3DXVECTOR3 watchPoint = position + velocity;
        track.FindFreeSpot(watchPoint, 5.0f);
        camera->SetPosition(watchPoint, position, WORLD_UP);
        camera->SetMode(CAMERA_WATCHING, this);
        SetDriver(DRIVER_COMPUTER);
        d3dRender.blurStrength = 0.0f;
        audioManager.PlayVoice(4, nullptr);
    }
    if (body) {
        body->setDamping(0.0f, 0.0f);
        const btVector3 w = body->getAngularVelocity();
        D3DXVECTOR3 tumble;
        Vec3Normalize(tumble, D3DXVECTOR3(w.x(), w.y(), float(std::rand() % 101) * 0.01f - 0.5f));
        tumble *= 5.0f;
        body->setAngularVelocity(btVector3(tumble.x, tumble.y, tumble.z));
    }
    fallStep = FALL_STEP_TUMBLING;
    stateTime = effectTimer = 0.0f;
}

void CVehicle::AddRespawnParticle(const D3DXVECTOR3& at, const D3DXVECTOR3& particleVelocity, float size, float life,
                                  float growth)
{
    D3DXVECTOR3 towardsEye(0, 0, 0);
    if (::world.activeCamera)
        Vec3Normalize(towardsEye, ::world.activeCamera->eye - at);
    flameSystem.AddParticle(at + 2.0f * towardsEye, particleVelocity, size, life, growth, RESPAWN_COLOUR, 1, nullptr);
}

void CVehicle::Tumble()
{
    const float dt = gameTimer.gameStep;
    stateTime += dt;
    effectTimer -= dt;
    if (stateTime <= TUMBLE_TIME) {
        if (stateTime > 1.0f && effectTimer < 0.0f) {
            AddRespawnParticle(position, 0.5f * velocity, (stateTime - 1.0f) * 2.0f, 1.0f, 5.0f);
            effectTimer = PARTICLE_INTERVAL;
        }
        return;
    }
    segment = roadSegment = FindRespawnSegment();
    CCamera* camera = ::world.activeCamera;
    if (IsPlayerOutsideAutoplay(this) && camera) {
        const int previous = std::max(0, segment - 1);
        camera->SetPosition(track.segmentPoints[previous] + RESPAWN_CAMERA_LIFT,
                            track.segmentPoints[segment] + RESPAWN_CAMERA_LIFT, WORLD_UP);
        camera->SetMode(CAMERA_WATCHING, nullptr);
    }
    fallStep = FALL_STEP_MATERIALISING;
    stateTime = effectTimer = 0.0f;
}

int CVehicle::FindRespawnSegment() const
{
    // Never ahead of the last segment with road under the scooter, never in the finish zone,
    // and off a loop onto the road before it.
    const int last = std::max(0, SegmentCount() - TRACK_FINISH_SEGMENTS - 1);
    int s = std::clamp(roadSegment, 0, last);
    while (s > 0 && LoopAt(s))
        --s;
    const CPlatform* piece = track.segmentOwners[s];
    if (!piece || !IsStraightWithCue(piece->pieceKind))
        return s;
    // Past centre-line point 6 of the straight: back onto it, within the piece.
    while (s > 0 && track.segmentOwners[s - 1] == piece &&
           track.NearestPiecePoint(piece, track.segmentPoints[s]) > RESPAWN_PIECE_POINT)
        --s;
    return s;
}

void CVehicle::Materialise()
{
    const float dt = gameTimer.gameStep;
    stateTime += dt;
    const D3DXVECTOR3 spot = track.segmentPoints[segment] + RESPAWN_CAMERA_LIFT;
    if (stateTime <= MATERIALISE_TIME) {
        effectTimer -= dt;
        if (effectTimer < 0.0f) {
            AddRespawnParticle(spot, D3DXVECTOR3(0.0f, -16.0f, 0.0f), 5.0f, 0.75f, 10.0f);
            effectTimer = PARTICLE_INTERVAL;
        }
        return;
    }
    const int next = std::min(segment + 1, std::max(0, SegmentCount() - 1));
    const D3DXVECTOR3 at = track.segmentPoints[segment] + RESPAWN_LIFT;
    const D3DXVECTOR3 facing = track.segmentPoints[next] + RESPAWN_LIFT;
    SetLookAt(at, facing, WORLD_UP);
    position = at;
    SetUpPhysics(at, facing, WORLD_UP);
    lane = float(gridColumn);
    CCamera* camera = ::world.activeCamera;
    if (IsPlayerOutsideAutoplay(this)) {
        lastCueSegment = segment;
        if (camera)
            camera->SetMode(camera->previousMode, this);
        SetDriver(DRIVER_PLAYER);
    }
    raceState = RACE_STATE_RACING;
    fallStep = FALL_STEP_FALLEN;
    stateTime = effectTimer = 0.0f;
}
