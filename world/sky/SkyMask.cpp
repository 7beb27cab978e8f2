#include "world/sky/SkyMask.h"

#include "engine/render/D3DRender.h"
#include "engine/render/Draw2D.h"
#include "engine/render/ScreenVertex.h"

namespace {

constexpr DWORD COURSE_MARK = 1;
constexpr float FAR_DEPTH = 1.0f;

void SetState(D3DRENDERSTATETYPE state, DWORD value)
{
    d3dRender.device->SetRenderState(state, value);
}

void SetStencil(D3DCMPFUNC function, DWORD reference, D3DSTENCILOP fail, D3DSTENCILOP pass)
{
    SetState(D3DRS_STENCILENABLE, TRUE);
    SetState(D3DRS_TWOSIDEDSTENCILMODE, FALSE);
    SetState(D3DRS_STENCILFUNC, function);
    SetState(D3DRS_STENCILREF, reference);
    SetState(D3DRS_STENCILMASK, 0xFFFFFFFF);
    SetState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    SetState(D3DRS_STENCILFAIL, fail);
    SetState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    SetState(D3DRS_STENCILPASS, pass);
}

// The far depth written on every unmarked pixel of the viewport, and the marks cleared; no colour.
void FarDepthOnUnmarkedPixels()
{
    SetStencil(D3DCMP_EQUAL, 0, D3DSTENCILOP_ZERO, D3DSTENCILOP_KEEP);
    d3dRender.SetZEnable(1);
    d3dRender.SetZWrite(1);
    SetState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
    SetState(D3DRS_COLORWRITEENABLE, 0);
    d3dRender.device->SetTexture(0, nullptr);
    d3dRender.textureId = -1;

    D3DVIEWPORT9 viewport {};
    d3dRender.device->GetViewport(&viewport);
    const float x1 = static_cast<float>(viewport.X) - 1.0f, y1 = static_cast<float>(viewport.Y) - 1.0f;
    const float x2 = static_cast<float>(viewport.X + viewport.Width) + 1.0f;
    const float y2 = static_cast<float>(viewport.Y + viewport.Height) + 1.0f;
    const ScreenVertex quad[4] = {{x1, y1, FAR_DEPTH, 1.0f, 0, 0, 0, 0},
                                  {x1, y2, FAR_DEPTH, 1.0f, 0, 0, 0, 0},
                                  {x2, y1, FAR_DEPTH, 1.0f, 0, 0, 0, 0},
                                  {x2, y2, FAR_DEPTH, 1.0f, 0, 0, 0, 0}};
    d3dRender.device->SetFVF(SCREEN_VERTEX_FVF);
    // Solid also in the wireframe view: its lines alone would leave marks and depth between them.
    d3dRender.ForceSolidFill(true);
    d3dRender.device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    d3dRender.ForceSolidFill(false);

    SetState(D3DRS_COLORWRITEENABLE, 0xF);
    SetState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
}

} // namespace

bool SkyMaskAvailable()
{
    IDirect3DSurface9* depth = nullptr;
    if (FAILED(d3dRender.device->GetDepthStencilSurface(&depth)) || !depth)
        return false;
    D3DSURFACE_DESC desc {};
    depth->GetDesc(&desc);
    depth->Release();
    return DepthFormatHasStencil(desc.Format);
}

void BeginCourseMarking()
{
    SetStencil(D3DCMP_ALWAYS, COURSE_MARK, D3DSTENCILOP_KEEP, D3DSTENCILOP_REPLACE);
}

void EndCourseMarking()
{
    SetState(D3DRS_STENCILENABLE, FALSE);
}

void BeginSkyOutsideCourse()
{
    SetStencil(D3DCMP_EQUAL, 0, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP);
}

void EndSkyOutsideCourse()
{
    FarDepthOnUnmarkedPixels();
    SetState(D3DRS_STENCILENABLE, FALSE);
}
