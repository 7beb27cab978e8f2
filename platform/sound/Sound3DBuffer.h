#pragma once
// The 3D facet of a secondary buffer: position, velocity and distances of its source, with
// deferred settings committed through the listener. A buffer made with
// DSBCAPS_MUTE3DATMAXDISTANCE falls silent while the listener is beyond its maximum distance.
#include <AL/al.h>

#include "platform/sound/DeferredValue.h"
#include "platform/sound/SoundTypes.h"

class IDirectSoundBuffer8;
class IDirectSound3DListener;

class IDirectSound3DBuffer {
public:
    IDirectSound3DBuffer(IDirectSoundBuffer8& owner, IDirectSound3DListener& listener, ALuint source,
                         bool muteAtMaxDistance);
    ~IDirectSound3DBuffer();
    IDirectSound3DBuffer(const IDirectSound3DBuffer&) = delete;
    IDirectSound3DBuffer& operator=(const IDirectSound3DBuffer&) = delete;

    // References are the owning buffer's.
    ULONG AddRef();
    ULONG Release();

    HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply);
    HRESULT GetPosition(D3DVECTOR* position);
    HRESULT SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply);
    HRESULT GetVelocity(D3DVECTOR* velocity);
    HRESULT SetMinDistance(D3DVALUE distance, DWORD apply);
    HRESULT GetMinDistance(D3DVALUE* distance);
    HRESULT SetMaxDistance(D3DVALUE distance, DWORD apply);
    HRESULT GetMaxDistance(D3DVALUE* distance);

    // From the listener's commit.
    void CommitDeferred();
    void UpdateAudibility(const D3DVECTOR& listenerPosition);

private:
    void ApplyPosition();
    void ApplyVelocity();
    void ApplyDistances();
    void UpdateAudibility();

    IDirectSoundBuffer8& owner;
    IDirectSound3DListener& listener;
    ALuint source;
    bool muteAtMaxDistance;
    DeferredValue<D3DVECTOR> position;
    DeferredValue<D3DVECTOR> velocity;
    DeferredValue<D3DVALUE> minDistance;
    DeferredValue<D3DVALUE> maxDistance;
};
