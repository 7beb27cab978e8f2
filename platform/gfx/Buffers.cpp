#include "platform/gfx/Buffers.h"

BufferStorage::BufferStorage(UINT size, D3DPOOL pool, std::shared_ptr<int> counter)
    : copy(size), ticket(std::move(counter), pool)
{
    glCreateBuffers(1, &name);
    glNamedBufferData(name, size, nullptr, GL_DYNAMIC_DRAW);
}

BufferStorage::~BufferStorage() { glDeleteBuffers(1, &name); }

HRESULT BufferStorage::Lock(UINT offset, UINT size, void** data, DWORD flags)
{
    if (!data || locked || offset > copy.size())
        return D3DERR_INVALIDCALL;
    if (size == 0)
        size = static_cast<UINT>(copy.size()) - offset;
    if (size > copy.size() - offset)
        return D3DERR_INVALIDCALL;
    if (flags & D3DLOCK_DISCARD)
        glNamedBufferData(name, static_cast<GLsizeiptr>(copy.size()), nullptr, GL_DYNAMIC_DRAW);
    locked = true;
    readOnly = (flags & D3DLOCK_READONLY) != 0;
    lockedOffset = offset;
    lockedSize = size;
    *data = copy.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::Unlock()
{
    if (!locked)
        return D3DERR_INVALIDCALL;
    locked = false;
    if (!readOnly && lockedSize > 0)
        glNamedBufferSubData(name, lockedOffset, lockedSize, copy.data() + lockedOffset);
    return D3D_OK;
}

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    *desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, storage.Size(), fvf};
    return D3D_OK;
}

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    *desc = {format, D3DRTYPE_INDEXBUFFER, usage, pool, storage.Size()};
    return D3D_OK;
}
