#include "world/race/Race.h"

#include <cstdlib>

#include "audio/AudioManager.h"
#include "engine/helpers/VectorHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/GameTimer.h"
#include "engine/shell/InputState.h"
#include "frontend/GameMenu.h"
#include "frontend/Profiles.h"
#include "world/World.h"
#include "world/effects/LightsEffect.h"
#include "world/effects/SpotsEffect.h"
#include "world/objects/SceneObject.h"
#include "world/scooters/Vehicle.h"
#include "world/scooters/VehicleManager.h"
#include "world/track/Track.h"

CRace race;

namespace {

constexpr float FLY_IN_TIME = 7.5f;
constexpr float CAMERA_SETTLE_TIME = 3.0f;
constexpr float LIGHT_TIME = 1.5f;
constexpr float SHOT_TIME = 5.0f;
constexpr float ROADSIDE_SHOT_TIME = 4.0f;
constexpr int PODIUM_PLACES = 3;
constexpr int LAST_CAREER_RACE = 3;
constexpr int END_PAGE = 91;
constexpr int LAST_CAREER_END_PAGE = 92;
const D3DXVECTOR3 WORLD_UP(0.0f, 1.0f, 0.0f);
const D3DXVECTOR4 LIGHTS_WAITING(0.5f, 0.0f, 0.0f, 1.0f);
const D3DXVECTOR4 LIGHTS_RED(1.0f, 0.0f, 0.0f, 1.0f);
const D3DXVECTOR4 LIGHTS_YELLOW(1.0f, 1.0f, 0.0f, 1.0f);
const D3DXVECTOR4 LIGHTS_GREEN(0.0f, 1.0f, 0.0f, 1.0f);

CCamera* Camera() { return world.activeCamera; }

// A segment point, the last one standing in for any index past the end.
const D3DXVECTOR3& SegmentPoint(int index)
{
    const int last = int(track.segmentCount) - 1;
    return track.segmentPoints[index < last ? (index < 0 ? 0 : index) : (last < 0 ? 0 : last)];
}

// A random direction up and to either side.
D3DXVECTOR3 RandomRise()
{
    D3DXVECTOR3 direction;
    Vec3Normalize(direction, D3DXVECTOR3(float(std::rand() % 201) * 0.01f - 1.0f, 1.0f, 0.0f));
    return direction;
}

} // namespace

int CRace::Init()
{
    *this = CRace {};
    siren1 = audioManager.CreateSound("Data/Audio/Add/Srn01.wav", 0, 1.0f, 10.0f);
    siren2 = audioManager.CreateSound("Data/Audio/Add/Srn02.wav", 0, 1.0f, 10.0f);
    return 1;
}

void CRace::Release()
{
    audioManager.ReleaseSound(&siren1);
    audioManager.ReleaseSound(&siren2);
    siren1 = siren2 = nullptr;
    Reset();
}

void CRace::Reset()
{
    sequence = RACE_SEQUENCE_NONE;
    phase = 0;
    startTime = 0;
    phaseTimer = 0.0f;
    vehicle = nullptr;
}

void CRace::SetPhase(int sequenceNumber, CVehicle* sequenceVehicle)
{
    sequence = sequenceNumber;
    phase = 0;
    startTime = gameTimer.gameTime;
    phaseTimer = 0.0f;
    vehicle = sequenceVehicle;
}

void CRace::Update()
{
    switch (sequence) {
    case RACE_SEQUENCE_START:
        UpdateStart();
        break;
    case RACE_SEQUENCE_FINISH:
        UpdateFinish();
        break;
    case RACE_SEQUENCE_AUTOPLAY:
        UpdateAutoplay();
        break;
    default:
        break;
    }
}

void CRace::PlaySiren(CSound* siren)
{
    if (siren)
        siren->Play(0);
}

void CRace::SetStartLights(const D3DXVECTOR4& colour)
{
    if (!track.startLights)
        return;
    ObjectComponents& components = track.startLights->components;
    if (components.lights)
        components.lights->SetColour(colour.x, colour.y, colour.z, colour.w);
    if (components.spots)
        components.spots->SetColour(colour.x, colour.y, colour.z, colour.w);
}

void CRace::SkipFlyIn()
{
    inputState.enter = 0;
    inputState.space = 0;
    if (Camera())
        Camera()->SetMode(CAMERA_NEAR_CHASE, playerVehicle);
    PlaySiren(siren1);
    phaseTimer = LIGHT_TIME;
    phase = 3;
}

void CRace::StartFlyIn()
{
    CCamera* camera = Camera();
    if (!camera || !playerVehicle)
        return;
    const D3DXVECTOR3 destination = SegmentPoint(9) + 30.0f * RandomRise();
    camera->SetTarget(nullptr);
    camera->SetPosition(SegmentPoint(2) + 30.0f * RandomRise(), track.trackCentre, WORLD_UP);
    camera->StartFlyTo(&destination, &playerVehicle->position, FLY_IN_TIME, nullptr, 0.0f, 0);
}

void CRace::UpdateStart()
{
    if ((phase == 1 || phase == 2) && (inputState.enter || inputState.space))
        SkipFlyIn();
    if ((phase >= 1 && phase <= 5) || phase == 7) {
        phaseTimer -= gameTimer.gameStep;
        if (phaseTimer > 0.0f)
            return;
    }
    RunStartPhase();
}

void CRace::RunStartPhase()
{
    switch (phase) {
    case 0:
        audioManager.PlayMusic(1, nullptr, 0.0f, 0, 80.0f);
        audioManager.PlayVoice(2, "Data/Audio/Add/Strt.wav");
        vehicleManager.EnableRacers(RACE_STATE_GRID);
        if (playerVehicle)
            playerVehicle->SetDriver(DRIVER_COMPUTER);
        SetStartLights(LIGHTS_WAITING);
        StartFlyIn();
        d3dRender.blurStrength = 0.0f;
        phaseTimer = FLY_IN_TIME;
        phase = 1;
        break;
    case 1:
        if (Camera())
            Camera()->SetMode(CAMERA_NEAR_CHASE, playerVehicle);
        phaseTimer = CAMERA_SETTLE_TIME;
        phase = 2;
        break;
    case 2:
        PlaySiren(siren1);
        phaseTimer = LIGHT_TIME;
        phase = 3;
        break;
    case 3:
    case 4:
    case 5:
        SetStartLights(phase == 3 ? LIGHTS_RED : phase == 4 ? LIGHTS_YELLOW : LIGHTS_GREEN);
        PlaySiren(phase == 5 ? siren2 : siren1);
        phaseTimer = LIGHT_TIME;
        ++phase;
        break;
    case 6:
        track.raceStartTime = gameTimer.gameTime;
        vehicleManager.EnableRacers(RACE_STATE_RACING);
        if (playerVehicle)
            playerVehicle->SetDriver(DRIVER_PLAYER);
        phaseTimer = LIGHT_TIME;
        phase = 7;
        break;
    case 7:
        audioManager.musicTargetVolume = 100.0f;
        audioManager.musicFadeTime = 1.0f;
        Reset();
        startTime = gameTimer.gameTime;
        break;
    default:
        break;
    }
}

void CRace::UpdateFinish()
{
    if (phase != 0)
        return;
    phase = 1;
    if (!playerVehicle)
        return;
    const int place = playerVehicle->place;
    CareerBlock.lastPlace = place + 1;
    CareerBlock.lastTime = playerVehicle->finishTime;
    audioManager.PlayVoice(2, place >= PODIUM_PLACES ? "Data/Audio/Add/Fld.wav" : "Data/Audio/Add/Cmplt.wav");
    CVehicle* subject = vehicle ? vehicle : playerVehicle;
    if (Camera()) {
        D3DXVECTOR3 offset;
        Vec3Normalize(offset, D3DXVECTOR3(-1.0f, 0.5f, 0.0f));
        offset *= 30.0f;
        Camera()->StartFlyTo(&offset, &subject->position, 0.0f, &WORLD_UP, 0.5f, 1);
    }
    d3dRender.blurStrength = 1.0f;
    int page = END_PAGE;
    if (place < PODIUM_PLACES && CareerBlock.sector == LAST_CAREER_RACE && CareerBlock.stage == LAST_CAREER_RACE) {
        page = LAST_CAREER_END_PAGE;
        CareerBlock.noCareer = 1;
    }
    gameMenu.OpenPage(page);
}

int CRace::PickShot()
{
    int shot;
    do
        shot = std::rand() % AUTOPLAY_SHOTS + AUTOPLAY_FIRST_SHOT;
    while (shot == lastShots[0] || shot == lastShots[1] || shot == lastShots[2]);
    lastShots[2] = lastShots[1];
    lastShots[1] = lastShots[0];
    lastShots[0] = shot;
    return shot;
}

void CRace::OrbitShot()
{
    const float rise = float(std::rand() % 151) * 0.01f + 0.5f;
    const float distance = float(std::rand() % 16 + 5);
    const D3DXVECTOR3 offset(distance, rise * distance, distance);
    float rate = float(std::rand() % 51) * 0.01f + 0.25f;
    if (std::rand() % 101 < 50)
        rate = -rate;
    Camera()->StartFlyTo(&offset, &vehicle->position, 0.0f, &WORLD_UP, rate, 1);
}

void CRace::RoadsideShot()
{
    CCamera* camera = Camera();
    const int k = vehicle->segment + 4;
    const D3DXVECTOR3& a = SegmentPoint(k);
    D3DXMATRIX frame;
    BuildLookAtMatrix(frame, a, SegmentPoint(k + 1), WORLD_UP);
    const D3DXVECTOR3 right(frame._11, frame._12, frame._13);
    const D3DXVECTOR3 up(frame._21, frame._22, frame._23);
    D3DXVECTOR3 spot = std::rand() % 101 > 49 ? a - right * 15.0f : a + right * 15.0f;
    spot += up * 15.0f;
    D3DXVECTOR3 destination = spot;
    D3DXVECTOR3 eye = spot;
    const float shift = float(std::rand() % 161) * 0.1f - 8.0f;
    if (std::rand() % 101 > 49)
        destination += up * shift;
    else
        eye += up * shift;
    camera->eye = eye;
    camera->lookAt = vehicle->position;
    camera->StartFlyTo(&destination, &vehicle->position, float(std::rand() % 101) * 0.05f + 3.0f, nullptr, 0.0f, 0);
}

void CRace::UpdateAutoplay()
{
    if (!vehicle)
        vehicle = playerVehicle;
    CCamera* camera = Camera();
    if (!vehicle || !camera)
        return;
    switch (phase) {
    case 0:
        vehicle->SetDriver(DRIVER_COMPUTER);
        vehicleManager.EnableRacers(RACE_STATE_RACING);
        camera->SetTarget(vehicle);
        camera->SnapToTarget();
        startTime = gameTimer.gameTime;
        phase = PickShot();
        actionPressed[ACTION_CAMERA_B] = 0;
        d3dRender.blurStrength = 1.0f;
        break;
    case 10:
    case 11:
    case 12:
    case 13:
        camera->SetMode(phase <= 11 ? CAMERA_FROM_SCOOTER : CAMERA_NEAR_CHASE, vehicle);
        camera->SnapToTarget();
        if (phase == 11 || phase == 13)
            actionPressed[ACTION_CAMERA_B] = 1;
        phaseTimer = SHOT_TIME;
        phase = AUTOPLAY_WAIT;
        break;
    case 14:
        OrbitShot();
        phaseTimer = SHOT_TIME;
        phase = AUTOPLAY_WAIT;
        break;
    case 15:
        RoadsideShot();
        phaseTimer = ROADSIDE_SHOT_TIME;
        phase = AUTOPLAY_WAIT;
        break;
    case AUTOPLAY_WAIT:
        if (gameTimer.SecondsSince(startTime) > phaseTimer)
            phase = 0;
        break;
    default:
        break;
    }
}
