// Vertex layouts: FVF codes, declarations and their sizes.
#include "platform/gfxx/D3DXMesh.h"

#include "platform/gfxx/D3DXVertexLayout.h"

namespace {

constexpr UINT TypeSize(BYTE type)
{
    switch (type) {
    case D3DDECLTYPE_FLOAT1: return 4;
    case D3DDECLTYPE_FLOAT2: return 8;
    case D3DDECLTYPE_FLOAT3: return 12;
    case D3DDECLTYPE_FLOAT4: return 16;
    case D3DDECLTYPE_D3DCOLOR: return 4;
    default: return 0;
    }
}

// The float count of texture set i of an FVF code.
BYTE TextureSetType(DWORD fvf, int set)
{
    switch ((fvf >> (16 + 2 * set)) & 3) {
    case D3DFVF_TEXTUREFORMAT1: return D3DDECLTYPE_FLOAT1;
    case D3DFVF_TEXTUREFORMAT3: return D3DDECLTYPE_FLOAT3;
    case D3DFVF_TEXTUREFORMAT4: return D3DDECLTYPE_FLOAT4;
    default: return D3DDECLTYPE_FLOAT2;
    }
}

DWORD TextureSetSizeBits(BYTE type, int set)
{
    switch (type) {
    case D3DDECLTYPE_FLOAT1: return D3DFVF_TEXCOORDSIZE1(set);
    case D3DDECLTYPE_FLOAT3: return D3DFVF_TEXCOORDSIZE3(set);
    case D3DDECLTYPE_FLOAT4: return D3DFVF_TEXCOORDSIZE4(set);
    default: return D3DFVF_TEXCOORDSIZE2(set);
    }
}

bool SameElement(const D3DVERTEXELEMENT9& a, const D3DVERTEXELEMENT9& b)
{
    return a.Stream == b.Stream && a.Offset == b.Offset && a.Type == b.Type;
}

} // namespace

UINT D3DXGetFVFVertexSize(DWORD fvf)
{
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    if (D3DXDeclaratorFromFVF(fvf, declaration) != D3D_OK)
        return 0;
    return D3DXGetDeclVertexSize(declaration, 0);
}

UINT D3DXGetDeclVertexSize(const D3DVERTEXELEMENT9* declaration, DWORD stream)
{
    UINT size = 0;
    for (const D3DVERTEXELEMENT9* element = declaration; element->Stream != 0xFF; ++element)
        if (element->Stream == stream && element->Offset + TypeSize(element->Type) > size)
            size = element->Offset + TypeSize(element->Type);
    return size;
}

HRESULT D3DXDeclaratorFromFVF(DWORD fvf, D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE])
{
    int count = 0;
    WORD offset = 0;
    const auto add = [&](BYTE type, BYTE usage, BYTE usageIndex) {
        declaration[count++] = D3DVERTEXELEMENT9 {0, offset, type, D3DDECLMETHOD_DEFAULT, usage, usageIndex};
        offset = static_cast<WORD>(offset + TypeSize(type));
    };
    switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION, 0); break;
    case D3DFVF_XYZRHW: add(D3DDECLTYPE_FLOAT4, D3DDECLUSAGE_POSITIONT, 0); break;
    case 0: break;
    default: return D3DERR_INVALIDCALL;
    }
    if (fvf & D3DFVF_NORMAL)
        add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL, 0);
    if (fvf & D3DFVF_PSIZE)
        add(D3DDECLTYPE_FLOAT1, D3DDECLUSAGE_PSIZE, 0);
    if (fvf & D3DFVF_DIFFUSE)
        add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 0);
    if (fvf & D3DFVF_SPECULAR)
        add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 1);
    const int sets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (sets > 8)
        return D3DERR_INVALIDCALL;
    for (int set = 0; set < sets; ++set)
        add(TextureSetType(fvf, set), D3DDECLUSAGE_TEXCOORD, static_cast<BYTE>(set));
    declaration[count] = D3DDECL_END();
    return D3D_OK;
}

DWORD DrawFVFOfDeclaration(const D3DVERTEXELEMENT9* declaration)
{
    DWORD fvf = 0;
    int sets = 0;
    for (const D3DVERTEXELEMENT9* element = declaration; element->Stream != 0xFF; ++element) {
        if (element->Stream != 0)
            return 0;
        switch (element->Usage) {
        case D3DDECLUSAGE_POSITION: fvf |= D3DFVF_XYZ; break;
        case D3DDECLUSAGE_POSITIONT: fvf |= D3DFVF_XYZRHW; break;
        case D3DDECLUSAGE_NORMAL: fvf |= D3DFVF_NORMAL; break;
        case D3DDECLUSAGE_PSIZE: fvf |= D3DFVF_PSIZE; break;
        case D3DDECLUSAGE_COLOR: fvf |= element->UsageIndex == 0 ? D3DFVF_DIFFUSE : D3DFVF_SPECULAR; break;
        case D3DDECLUSAGE_TEXCOORD:
        case D3DDECLUSAGE_TANGENT:
        case D3DDECLUSAGE_BINORMAL:
            if (sets == 8)
                return 0;
            fvf |= TextureSetSizeBits(element->Type, sets);
            ++sets;
            break;
        default: return 0;
        }
    }
    fvf |= static_cast<DWORD>(sets) << D3DFVF_TEXCOUNT_SHIFT;
    // The code stands for the declaration only when it lays out the same bytes.
    D3DVERTEXELEMENT9 equivalent[MAX_FVF_DECL_SIZE];
    if (D3DXDeclaratorFromFVF(fvf, equivalent) != D3D_OK)
        return 0;
    int i = 0;
    for (; declaration[i].Stream != 0xFF; ++i)
        if (equivalent[i].Stream == 0xFF || !SameElement(declaration[i], equivalent[i]))
            return 0;
    return equivalent[i].Stream == 0xFF ? fvf : 0;
}

const D3DVERTEXELEMENT9* FindElement(const D3DVERTEXELEMENT9* declaration, BYTE usage, BYTE usageIndex)
{
    for (const D3DVERTEXELEMENT9* element = declaration; element->Stream != 0xFF; ++element)
        if (element->Usage == usage && element->UsageIndex == usageIndex)
            return element;
    return nullptr;
}
