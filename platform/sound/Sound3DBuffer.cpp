#include "platform/sound/Sound3DBuffer.h"

#include "platform/sound/AlCoordinates.h"
#include "platform/sound/SoundBuffer.h"
#include "platform/sound/SoundListener.h"

IDirectSound3DBuffer::IDirectSound3DBuffer(IDirectSoundBuffer8& owner_, IDirectSound3DListener& listener_,
                                           ALuint source_, bool muteAtMaxDistance_)
    : owner(owner_),
      listener(listener_),
      source(source_),
      muteAtMaxDistance(muteAtMaxDistance_),
      position(D3DVECTOR {0, 0, 0}),
      velocity(D3DVECTOR {0, 0, 0}),
      minDistance(DS3D_DEFAULTMINDISTANCE),
      maxDistance(DS3D_DEFAULTMAXDISTANCE)
{
    alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
    ApplyPosition();
    ApplyVelocity();
    ApplyDistances();
    listener.Register(this);
}

IDirectSound3DBuffer::~IDirectSound3DBuffer()
{
    listener.Unregister(this);
}

ULONG IDirectSound3DBuffer::AddRef()
{
    return owner.AddRef();
}

ULONG IDirectSound3DBuffer::Release()
{
    return owner.Release();
}

HRESULT IDirectSound3DBuffer::SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    if (position.Set({x, y, z}, apply)) {
        ApplyPosition();
        UpdateAudibility();
    }
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::GetPosition(D3DVECTOR* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = position.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    if (velocity.Set({x, y, z}, apply))
        ApplyVelocity();
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::GetVelocity(D3DVECTOR* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = velocity.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::SetMinDistance(D3DVALUE distance, DWORD apply)
{
    if (!(distance > 0))
        return DSERR_INVALIDPARAM;
    if (minDistance.Set(distance, apply))
        ApplyDistances();
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::GetMinDistance(D3DVALUE* distance)
{
    if (!distance)
        return DSERR_INVALIDPARAM;
    *distance = minDistance.Applied();
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::SetMaxDistance(D3DVALUE distance, DWORD apply)
{
    if (!(distance > 0))
        return DSERR_INVALIDPARAM;
    if (maxDistance.Set(distance, apply)) {
        ApplyDistances();
        UpdateAudibility();
    }
    return DS_OK;
}

HRESULT IDirectSound3DBuffer::GetMaxDistance(D3DVALUE* distance)
{
    if (!distance)
        return DSERR_INVALIDPARAM;
    *distance = maxDistance.Applied();
    return DS_OK;
}

void IDirectSound3DBuffer::CommitDeferred()
{
    if (position.Commit())
        ApplyPosition();
    if (velocity.Commit())
        ApplyVelocity();
    const bool minChanged = minDistance.Commit();
    if (maxDistance.Commit() || minChanged)
        ApplyDistances();
}

void IDirectSound3DBuffer::UpdateAudibility()
{
    UpdateAudibility(listener.AppliedPosition());
}

void IDirectSound3DBuffer::UpdateAudibility(const D3DVECTOR& listenerPosition)
{
    if (!muteAtMaxDistance)
        return;
    const D3DVECTOR& p = position.Applied();
    const float dx = p.x - listenerPosition.x;
    const float dy = p.y - listenerPosition.y;
    const float dz = p.z - listenerPosition.z;
    const float max = maxDistance.Applied();
    owner.SetAudible(dx * dx + dy * dy + dz * dz <= max * max);
}

void IDirectSound3DBuffer::ApplyPosition()
{
    const AlVector v = ToAl(position.Applied());
    alSource3f(source, AL_POSITION, v.x, v.y, v.z);
}

void IDirectSound3DBuffer::ApplyVelocity()
{
    const AlVector v = ToAl(velocity.Applied());
    alSource3f(source, AL_VELOCITY, v.x, v.y, v.z);
}

void IDirectSound3DBuffer::ApplyDistances()
{
    alSourcef(source, AL_REFERENCE_DISTANCE, minDistance.Applied());
    alSourcef(source, AL_MAX_DISTANCE, maxDistance.Applied());
}
