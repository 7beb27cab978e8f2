#pragma once
// The 3D listener of a sound device (taken from its primary buffer): position, velocity,
// orientation and Doppler factor, with deferred settings that CommitDeferredSettings applies
// together with those of every 3D buffer of the device.
#include <vector>

#include "platform/sound/DeferredValue.h"
#include "platform/sound/SoundTypes.h"

class IDirectSound8;
class IDirectSound3DBuffer;

struct ListenerOrientation {
    D3DVECTOR front;
    D3DVECTOR top;
};

class IDirectSound3DListener {
public:
    explicit IDirectSound3DListener(IDirectSound8& device);
    IDirectSound3DListener(const IDirectSound3DListener&) = delete;
    IDirectSound3DListener& operator=(const IDirectSound3DListener&) = delete;

    // References are the device's.
    ULONG AddRef();
    ULONG Release();

    HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply);
    HRESULT GetPosition(D3DVECTOR* position);
    HRESULT SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply);
    HRESULT GetVelocity(D3DVECTOR* velocity);
    HRESULT SetOrientation(D3DVALUE frontX, D3DVALUE frontY, D3DVALUE frontZ, D3DVALUE topX, D3DVALUE topY,
                           D3DVALUE topZ, DWORD apply);
    HRESULT GetOrientation(D3DVECTOR* front, D3DVECTOR* top);
    HRESULT SetDopplerFactor(D3DVALUE factor, DWORD apply);
    HRESULT GetDopplerFactor(D3DVALUE* factor);
    HRESULT CommitDeferredSettings();

    // The device's 3D buffers, whose deferred settings commit with the listener's.
    void Register(IDirectSound3DBuffer* buffer);
    void Unregister(IDirectSound3DBuffer* buffer);
    const D3DVECTOR& AppliedPosition() const { return position.Applied(); }

private:
    void ApplyPosition();
    void ApplyVelocity();
    void ApplyOrientation();
    void ApplyDopplerFactor();
    void UpdateAudibility();

    IDirectSound8& device;
    DeferredValue<D3DVECTOR> position;
    DeferredValue<D3DVECTOR> velocity;
    DeferredValue<ListenerOrientation> orientation;
    DeferredValue<D3DVALUE> dopplerFactor;
    std::vector<IDirectSound3DBuffer*> buffers;
};
