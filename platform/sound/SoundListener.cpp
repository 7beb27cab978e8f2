#include "platform/sound/SoundListener.h"

#include <algorithm>

#include "platform/sound/AlCoordinates.h"
#include "platform/sound/Sound3DBuffer.h"
#include "platform/sound/SoundDevice.h"

IDirectSound3DListener::IDirectSound3DListener(IDirectSound8& device_)
    : device(device_),
      position(D3DVECTOR {0, 0, 0}),
      velocity(D3DVECTOR {0, 0, 0}),
      orientation(ListenerOrientation {{0, 0, 1}, {0, 1, 0}}),
      dopplerFactor(DS3D_DEFAULTDOPPLERFACTOR)
{
    ApplyPosition();
    ApplyVelocity();
    ApplyOrientation();
    ApplyDopplerFactor();
}

ULONG IDirectSound3DListener::AddRef()
{
    return device.AddRef();
}

ULONG IDirectSound3DListener::Release()
{
    return device.Release();
}

HRESULT IDirectSound3DListener::SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    if (position.Set({x, y, z}, apply)) {
        ApplyPosition();
        UpdateAudibility();
    }
    return DS_OK;
}

HRESULT IDirectSound3DListener::GetPosition(D3DVECTOR* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = position.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DListener::SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    if (velocity.Set({x, y, z}, apply))
        ApplyVelocity();
    return DS_OK;
}

HRESULT IDirectSound3DListener::GetVelocity(D3DVECTOR* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = velocity.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DListener::SetOrientation(D3DVALUE frontX, D3DVALUE frontY, D3DVALUE frontZ, D3DVALUE topX,
                                               D3DVALUE topY, D3DVALUE topZ, DWORD apply)
{
    if (orientation.Set({{frontX, frontY, frontZ}, {topX, topY, topZ}}, apply))
        ApplyOrientation();
    return DS_OK;
}

HRESULT IDirectSound3DListener::GetOrientation(D3DVECTOR* front, D3DVECTOR* top)
{
    if (!front || !top)
        return DSERR_INVALIDPARAM;
    *front = orientation.Applied().front;
    *top = orientation.Applied().top;
    return DS_OK;
}

HRESULT IDirectSound3DListener::SetDopplerFactor(D3DVALUE factor, DWORD apply)
{
    if (factor < DS3D_MINDOPPLERFACTOR || factor > DS3D_MAXDOPPLERFACTOR)
        return DSERR_INVALIDPARAM;
    if (dopplerFactor.Set(factor, apply))
        ApplyDopplerFactor();
    return DS_OK;
}

HRESULT IDirectSound3DListener::GetDopplerFactor(D3DVALUE* factor)
{
    if (!factor)
        return DSERR_INVALIDPARAM;
    *factor = dopplerFactor.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DListener::CommitDeferredSettings()
{
    device.BeginBatch();
    if (position.Commit())
        ApplyPosition();
    if (velocity.Commit())
        ApplyVelocity();
    if (orientation.Commit())
        ApplyOrientation();
    if (dopplerFactor.Commit())
        ApplyDopplerFactor();
    for (IDirectSound3DBuffer* buffer : buffers)
        buffer->CommitDeferred();
    UpdateAudibility();
    device.EndBatch();
    return DS_OK;
}

void IDirectSound3DListener::Register(IDirectSound3DBuffer* buffer)
{
    buffers.push_back(buffer);
}

void IDirectSound3DListener::Unregister(IDirectSound3DBuffer* buffer)
{
    buffers.erase(std::remove(buffers.begin(), buffers.end(), buffer), buffers.end());
}

void IDirectSound3DListener::ApplyPosition()
{
    const AlVector v = ToAl(position.Applied());
    alListener3f(AL_POSITION, v.x, v.y, v.z);
}

void IDirectSound3DListener::ApplyVelocity()
{
    const AlVector v = ToAl(velocity.Applied());
    alListener3f(AL_VELOCITY, v.x, v.y, v.z);
}

void IDirectSound3DListener::ApplyOrientation()
{
    const AlVector at = ToAl(orientation.Applied().front);
    const AlVector up = ToAl(orientation.Applied().top);
    const ALfloat values[6] = {at.x, at.y, at.z, up.x, up.y, up.z};
    alListenerfv(AL_ORIENTATION, values);
}

void IDirectSound3DListener::ApplyDopplerFactor()
{
    alDopplerFactor(dopplerFactor.Applied());
}

void IDirectSound3DListener::UpdateAudibility()
{
    for (IDirectSound3DBuffer* buffer : buffers)
        buffer->UpdateAudibility(position.Applied());
}
