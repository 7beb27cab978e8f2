#include "audio/MusicSegment.h"

#include "audio/AudioManager.h"
#include "audio/VolumeRule.h"
#include "engine/shell/GameTimer.h"

namespace {

constexpr DWORD PLAY_FLAGS = DMUS_SEGF_SECONDARY | DMUS_SEGF_DEFAULT;
constexpr float START_GRACE_SECONDS = 0.25f;

} // namespace

CMusicSegment::CMusicSegment(IDirectMusicSegment8* segment_)
    : repeats(0),
      paused(0),
      startTime(0),
      pausedPosition(0),
      volume(0),
      segment(segment_),
      segmentState(nullptr),
      audioPath(nullptr),
      pathBuffer(nullptr)
{
    IDirectMusicPerformance8* performance = audioManager.performance;
    if (performance &&
        SUCCEEDED(performance->CreateStandardAudioPath(DMUS_APATH_DYNAMIC_STEREO, 1, TRUE, &audioPath))) {
        segment->Download(audioPath);
        audioPath->GetObjectInPath(DMUS_PCHANNEL_ALL, DMUS_PATH_BUFFER, 0, GUID_NULL, 0, IID_IDirectSoundBuffer8,
                                   reinterpret_cast<void**>(&pathBuffer));
    }
    segment->SetLength(1);
    segment->SetStartPoint(0);
    segment->SetLoopPoints(0, 0);
    SetVolume(100.0f);
}

void CMusicSegment::Release()
{
    IDirectMusicPerformance8* performance = audioManager.performance;
    if (performance)
        performance->Stop(segment, nullptr, 0, 0);
    if (segmentState) {
        segmentState->Release();
        segmentState = nullptr;
    }
    if (audioPath) {
        audioPath->Activate(FALSE);
        segment->Unload(audioPath);
    }
    if (audioManager.loader) {
        audioManager.loader->ReleaseObjectByUnknown(segment);
        audioManager.loader->CollectGarbage();
    }
    if (pathBuffer) {
        pathBuffer->Release();
        pathBuffer = nullptr;
    }
    if (audioPath) {
        audioPath->Release();
        audioPath = nullptr;
    }
    if (segment) {
        segment->Release();
        segment = nullptr;
    }
}

void CMusicSegment::Play(int loop)
{
    IDirectMusicPerformance8* performance = audioManager.performance;
    repeats = loop ? -1 : 0;
    segment->SetRepeats(static_cast<DWORD>(repeats));
    segment->SetLength(1);
    segment->SetStartPoint(0);
    IDirectMusicSegmentState* state = nullptr;
    if (performance &&
        SUCCEEDED(performance->PlaySegmentEx(segment, nullptr, nullptr, PLAY_FLAGS, 0, &state, nullptr, audioPath))) {
        if (segmentState)
            segmentState->Release();
        segmentState = nullptr;
        state->QueryInterface(IID_IDirectMusicSegmentState8, reinterpret_cast<void**>(&segmentState));
        state->Release();
    }
    startTime = gameTimer.realTime;
}

int CMusicSegment::IsPlaying()
{
    if (gameTimer.RealSecondsSince(startTime) < START_GRACE_SECONDS)
        return 1;
    IDirectMusicPerformance8* performance = audioManager.performance;
    return performance && performance->IsPlaying(segment, nullptr) == S_OK ? 1 : 0;
}

void CMusicSegment::SetVolume(float percent)
{
    volume = percent;
    ApplyVolume();
}

void CMusicSegment::ApplyVolume()
{
    if (pathBuffer)
        pathBuffer->SetVolume(MillibelsOfVolume(volume, SLOT_MUSIC));
}
