#pragma once
// The timed sequences around a race: the start (camera fly-in, countdown lights and sirens,
// release of the scooters), the finish (result into the career record, voice, camera orbit,
// end-of-race page) and the autoplay camera show. A sequence number and a phase number, advanced
// once per frame by the game clock's step.
#include <cstdint>

#include "platform/gfxx/D3DXMath.h"

class CSound;
class CVehicle;

enum RaceSequence {
    RACE_SEQUENCE_NONE = 0,
    RACE_SEQUENCE_START = 1,
    RACE_SEQUENCE_FINISH = 2,
    RACE_SEQUENCE_AUTOPLAY = 3,
};

// Autoplay phases: the shots 10-15 and the wait.
constexpr int AUTOPLAY_FIRST_SHOT = 10;
constexpr int AUTOPLAY_SHOTS = 6;
constexpr int AUTOPLAY_WAIT = 100;

// Zero-initialised global storage; no constructor.
class CRace {
public:
    // All fields 0, the two sirens loaded; always 1.
    int Init();
    void Release();
    // Starts a sequence at phase 0 now, about the given scooter.
    void SetPhase(int sequenceNumber, CVehicle* sequenceVehicle);
    // Once per frame while a race runs, also while the clock is paused.
    void Update();
    // Sequence, phase, stamp, timer and vehicle back to 0 (the world's clear); sirens stay.
    void Reset();

    int sequence;
    int phase;
    int lastShots[3]; // latest first
    std::uint32_t startTime;
    float phaseTimer;
    CVehicle* vehicle;
    CSound* siren1;
    CSound* siren2;

private:
    void UpdateStart();
    void UpdateFinish();
    void UpdateAutoplay();
    void RunStartPhase();
    void SkipFlyIn();
    void StartFlyIn();
    void SetStartLights(const D3DXVECTOR4& colour);
    void PlaySiren(CSound* siren);
    int PickShot();
    void OrbitShot();
    void RoadsideShot();
};

extern CRace race;
