#pragma once
// Vertex and index buffers: a GL buffer object with a CPU copy that Lock hands out; Unlock
// uploads the locked range. DISCARD orphans the GL storage first, so draws already queued keep
// their data.
#include <epoxy/gl.h>

#include <cstddef>
#include <vector>

#include "platform/gfx/RefCounted.h"

class BufferStorage {
public:
    BufferStorage(UINT size, D3DPOOL pool, std::shared_ptr<int> counter);
    ~BufferStorage();
    BufferStorage(const BufferStorage&) = delete;
    BufferStorage& operator=(const BufferStorage&) = delete;

    GLuint Name() const { return name; }
    UINT Size() const { return static_cast<UINT>(copy.size()); }
    const std::byte* Bytes() const { return copy.data(); }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT Unlock();

private:
    std::vector<std::byte> copy;
    GLuint name = 0;
    bool locked = false;
    bool readOnly = false;
    UINT lockedOffset = 0;
    UINT lockedSize = 0;
    DefaultPoolTicket ticket;
};

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer9> {
public:
    VertexBuffer(UINT size, DWORD usage_, DWORD fvf_, D3DPOOL pool_, std::shared_ptr<int> counter)
        : storage(size, pool_, std::move(counter)), usage(usage_), fvf(fvf_), pool(pool_)
    {
    }
    BufferStorage& Storage() { return storage; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override { return storage.Lock(offset, size, data, flags); }
    HRESULT Unlock() override { return storage.Unlock(); }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

private:
    BufferStorage storage;
    DWORD usage;
    DWORD fvf;
    D3DPOOL pool;
};

class IndexBuffer final : public RefCounted<IDirect3DIndexBuffer9> {
public:
    IndexBuffer(UINT size, DWORD usage_, D3DFORMAT format_, D3DPOOL pool_, std::shared_ptr<int> counter)
        : storage(size, pool_, std::move(counter)), usage(usage_), format(format_), pool(pool_)
    {
    }
    BufferStorage& Storage() { return storage; }
    D3DFORMAT Format() const { return format; }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override { return storage.Lock(offset, size, data, flags); }
    HRESULT Unlock() override { return storage.Unlock(); }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

private:
    BufferStorage storage;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
};
