// Meshes over one device's vertex and index buffers.
#include "platform/gfxx/D3DXMesh.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gfxx/D3DXVertexLayout.h"

namespace {

constexpr DWORD MAX_VERTICES = 65536; // 16-bit indices

D3DPOOL VertexPool(DWORD options)
{
    if (options & D3DXMESH_VB_MANAGED)
        return D3DPOOL_MANAGED;
    return options & D3DXMESH_VB_SYSTEMMEM ? D3DPOOL_SYSTEMMEM : D3DPOOL_DEFAULT;
}

D3DPOOL IndexPool(DWORD options)
{
    if (options & D3DXMESH_IB_MANAGED)
        return D3DPOOL_MANAGED;
    return options & D3DXMESH_IB_SYSTEMMEM ? D3DPOOL_SYSTEMMEM : D3DPOOL_DEFAULT;
}

UINT ElementSize(BYTE type)
{
    return type == D3DDECLTYPE_D3DCOLOR ? 4 : 4u * (type - D3DDECLTYPE_FLOAT1 + 1);
}

// Copies every element of the target layout that the source has (same usage and index);
// floats are copied as far as both have them, colours whole; the rest stays zero.
void ConvertVertices(const std::uint8_t* source, const D3DVERTEXELEMENT9* sourceLayout, UINT sourceStride,
                     std::uint8_t* target, const D3DVERTEXELEMENT9* targetLayout, UINT targetStride, DWORD count)
{
    std::memset(target, 0, std::size_t {targetStride} * count);
    for (const D3DVERTEXELEMENT9* to = targetLayout; to->Stream != 0xFF; ++to) {
        const D3DVERTEXELEMENT9* from = FindElement(sourceLayout, to->Usage, to->UsageIndex);
        if (!from || (from->Type == D3DDECLTYPE_D3DCOLOR) != (to->Type == D3DDECLTYPE_D3DCOLOR))
            continue;
        const UINT bytes = std::min(ElementSize(from->Type), ElementSize(to->Type));
        for (DWORD i = 0; i < count; ++i)
            std::memcpy(target + i * targetStride + to->Offset, source + i * sourceStride + from->Offset, bytes);
    }
}

class Mesh final : public ID3DXMesh {
public:
    Mesh(IDirect3DDevice9* device, DWORD options, DWORD fvf, const D3DVERTEXELEMENT9* declaration, DWORD faces,
         DWORD vertices)
        : device_(device), options_(options), fvf_(fvf), faces_(faces), vertices_(vertices)
    {
        device_->AddRef();
        for (const D3DVERTEXELEMENT9* element = declaration; element->Stream != 0xFF; ++element)
            declaration_.push_back(*element);
        declaration_.push_back(D3DDECL_END());
        stride_ = D3DXGetDeclVertexSize(declaration, 0);
    }

    HRESULT CreateBuffers()
    {
        const HRESULT result = device_->CreateVertexBuffer(stride_ * vertices_, 0, fvf_, VertexPool(options_),
                                                           &vertexBuffer_, nullptr);
        if (result != D3D_OK)
            return result;
        return device_->CreateIndexBuffer(faces_ * 3 * sizeof(std::uint16_t), 0, D3DFMT_INDEX16, IndexPool(options_),
                                          &indexBuffer_, nullptr);
    }

    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT DrawSubset(DWORD attributeId) override
    {
        if (attributeId != 0)
            return D3D_OK;
        device_->SetFVF(fvf_);
        device_->SetStreamSource(0, vertexBuffer_, 0, stride_);
        device_->SetIndices(indexBuffer_);
        return device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertices_, 0, faces_);
    }

    DWORD GetNumFaces() override { return faces_; }
    DWORD GetNumVertices() override { return vertices_; }
    DWORD GetFVF() override { return fvf_; }
    HRESULT GetDeclaration(D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]) override
    {
        std::copy(declaration_.begin(), declaration_.end(), declaration);
        return D3D_OK;
    }
    DWORD GetNumBytesPerVertex() override { return stride_; }
    DWORD GetOptions() override { return options_; }
    HRESULT GetDevice(IDirect3DDevice9** device) override
    {
        device_->AddRef();
        *device = device_;
        return D3D_OK;
    }
    HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) override
    {
        vertexBuffer_->AddRef();
        *buffer = vertexBuffer_;
        return D3D_OK;
    }
    HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) override
    {
        indexBuffer_->AddRef();
        *buffer = indexBuffer_;
        return D3D_OK;
    }
    HRESULT LockVertexBuffer(DWORD flags, void** data) override { return vertexBuffer_->Lock(0, 0, data, flags); }
    HRESULT UnlockVertexBuffer() override { return vertexBuffer_->Unlock(); }
    HRESULT LockIndexBuffer(DWORD flags, void** data) override { return indexBuffer_->Lock(0, 0, data, flags); }
    HRESULT UnlockIndexBuffer() override { return indexBuffer_->Unlock(); }

    HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device, ID3DXMesh** clone) override
    {
        D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
        if (D3DXDeclaratorFromFVF(fvf, declaration) != D3D_OK)
            return D3DERR_INVALIDCALL;
        return CloneInto(options, fvf, declaration, device, clone);
    }

    HRESULT CloneMesh(DWORD options, const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                      ID3DXMesh** clone) override
    {
        return CloneInto(options, DrawFVFOfDeclaration(declaration), declaration, device, clone);
    }

private:
    ~Mesh() override
    {
        if (vertexBuffer_)
            vertexBuffer_->Release();
        if (indexBuffer_)
            indexBuffer_->Release();
        device_->Release();
    }

    HRESULT CloneInto(DWORD options, DWORD fvf, const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                      ID3DXMesh** clone);

    ULONG references_ = 1;
    IDirect3DDevice9* device_;
    DWORD options_;
    DWORD fvf_;
    std::vector<D3DVERTEXELEMENT9> declaration_;
    UINT stride_ = 0;
    DWORD faces_;
    DWORD vertices_;
    IDirect3DVertexBuffer9* vertexBuffer_ = nullptr;
    IDirect3DIndexBuffer9* indexBuffer_ = nullptr;
};

HRESULT CreateMesh(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, const D3DVERTEXELEMENT9* declaration,
                   IDirect3DDevice9* device, ID3DXMesh** mesh)
{
    if (!mesh)
        return D3DERR_INVALIDCALL;
    *mesh = nullptr;
    if (!device || faces == 0 || vertices == 0 || vertices > MAX_VERTICES || fvf == 0)
        return D3DERR_INVALIDCALL;
    Mesh* created = new Mesh(device, options, fvf, declaration, faces, vertices);
    if (const HRESULT result = created->CreateBuffers(); result != D3D_OK) {
        created->Release();
        return result;
    }
    *mesh = created;
    return D3D_OK;
}

HRESULT Mesh::CloneInto(DWORD options, DWORD fvf, const D3DVERTEXELEMENT9* declaration, IDirect3DDevice9* device,
                        ID3DXMesh** clone)
{
    ID3DXMesh* copy = nullptr;
    if (const HRESULT result = CreateMesh(faces_, vertices_, options, fvf, declaration, device, &copy); result != D3D_OK)
        return result;
    void* source = nullptr;
    void* target = nullptr;
    LockVertexBuffer(D3DLOCK_READONLY, &source);
    copy->LockVertexBuffer(0, &target);
    ConvertVertices(static_cast<const std::uint8_t*>(source), declaration_.data(), stride_,
                    static_cast<std::uint8_t*>(target), declaration, copy->GetNumBytesPerVertex(), vertices_);
    copy->UnlockVertexBuffer();
    UnlockVertexBuffer();
    LockIndexBuffer(D3DLOCK_READONLY, &source);
    copy->LockIndexBuffer(0, &target);
    std::memcpy(target, source, faces_ * 3 * sizeof(std::uint16_t));
    copy->UnlockIndexBuffer();
    UnlockIndexBuffer();
    *clone = copy;
    return D3D_OK;
}

} // namespace

HRESULT D3DXCreateMeshFVF(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh)
{
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    if (D3DXDeclaratorFromFVF(fvf, declaration) != D3D_OK) {
        if (mesh)
            *mesh = nullptr;
        return D3DERR_INVALIDCALL;
    }
    return CreateMesh(faceCount, vertexCount, options, fvf, declaration, device, mesh);
}

HRESULT D3DXCreateMesh(DWORD faceCount, DWORD vertexCount, DWORD options, const D3DVERTEXELEMENT9* declaration,
                       IDirect3DDevice9* device, ID3DXMesh** mesh)
{
    return CreateMesh(faceCount, vertexCount, options, DrawFVFOfDeclaration(declaration), declaration, device, mesh);
}
