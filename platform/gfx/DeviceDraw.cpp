#include <cstdint>

#include "platform/gfx/Device.h"
#include "platform/gfx/GlMapping.h"

namespace {

// A software rasterizer starts on queued drawing only once it is submitted: submitting every few
// draws lets it work while the next draws are issued, as a driver's command buffer does.
constexpr unsigned DRAWS_PER_SUBMISSION = 24;

bool ProgramActive()
{
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program != 0;
}

// A client-memory address, or with a bound array buffer (null base) an offset into it.
const void* At(const std::byte* base, std::size_t offset)
{
    return reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(base) + offset);
}

} // namespace

bool Device::PrepareDraw(const std::byte* vertices, UINT stride, GLuint arrayBuffer, FvfLayout& layout)
{
    layout = DecodeFvf(fvf);
    if (!layout.valid)
        return false;
    const bool programActive = ProgramActive();
    ApplyPipeline(layout, programActive);
    cache.ArrayBuffer(arrayBuffer);
    BindVertexArrays(layout, vertices, stride, programActive);
    return true;
}

void Device::BindVertexArrays(const FvfLayout& layout, const std::byte* base, UINT stride, bool programActive)
{
    const auto glStride = static_cast<GLsizei>(stride);
    cache.ClientState(GL_VERTEX_ARRAY, true);
    glVertexPointer(3, GL_FLOAT, glStride, At(base, layout.positionOffset));
    cache.ClientState(GL_NORMAL_ARRAY, layout.normalOffset >= 0);
    if (layout.normalOffset >= 0)
        glNormalPointer(GL_FLOAT, glStride, At(base, static_cast<std::size_t>(layout.normalOffset)));
    cache.ClientState(GL_COLOR_ARRAY, layout.diffuseOffset >= 0);
    if (layout.diffuseOffset >= 0)
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, glStride, At(base, static_cast<std::size_t>(layout.diffuseOffset)));

    for (unsigned unit = 0; unit < D3D_MAX_TEXTURE_STAGES; ++unit) {
        // A program reads set i as gl_MultiTexCoord<i>; the fixed pipeline routes sets by stage.
        const unsigned set = programActive ? unit : stageStates[unit][D3DTSS_TEXCOORDINDEX] & 0xFFFF;
        const bool feeds = set < layout.textureSets && (programActive || textures[unit] != nullptr);
        cache.TexCoordArray(unit, feeds);
        if (feeds) {
            cache.ClientActiveTexture(unit);
            glTexCoordPointer(static_cast<GLint>(layout.textureComponents[set]), GL_FLOAT, glStride,
                              At(base, layout.textureOffset[set]));
        }
    }
}

void Device::FinishDraw(const FvfLayout& layout)
{
    ++counters.draws;
    if (++drawsUnsubmitted == DRAWS_PER_SUBMISSION) {
        glFlush();
        drawsUnsubmitted = 0;
    }
    if (layout.diffuseOffset >= 0)
        cache.ForgetColour();
    if (layout.normalOffset >= 0)
        cache.ForgetNormal();
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount)
{
    const UINT count = VertexCountOf(type, primitiveCount);
    if (!stream || count == 0)
        return count == 0 && stream ? D3D_OK : D3DERR_INVALIDCALL;
    FvfLayout layout;
    const auto* base = reinterpret_cast<const std::byte*>(static_cast<std::uintptr_t>(streamOffset));
    if (!PrepareDraw(base, streamStride, stream->Storage().Name(), layout))
        return D3DERR_INVALIDCALL;
    glDrawArrays(GlPrimitive(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
    FinishDraw(layout);
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, int baseVertexIndex, UINT, UINT, UINT startIndex,
                                     UINT primitiveCount)
{
    const UINT count = VertexCountOf(type, primitiveCount);
    if (!stream || !indices)
        return D3DERR_INVALIDCALL;
    if (count == 0)
        return D3D_OK;
    FvfLayout layout;
    const auto* base = reinterpret_cast<const std::byte*>(static_cast<std::uintptr_t>(streamOffset));
    if (!PrepareDraw(base, streamStride, stream->Storage().Name(), layout))
        return D3DERR_INVALIDCALL;
    const bool wide = indices->Format() == D3DFMT_INDEX32;
    cache.ElementBuffer(indices->Storage().Name());
    const std::uintptr_t offset = static_cast<std::uintptr_t>(startIndex) * (wide ? 4 : 2);
    glDrawElementsBaseVertex(GlPrimitive(type), static_cast<GLsizei>(count),
                             wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, reinterpret_cast<const void*>(offset),
                             baseVertexIndex);
    FinishDraw(layout);
    return D3D_OK;
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride)
{
    const UINT count = VertexCountOf(type, primitiveCount);
    if (!vertices || stride == 0)
        return D3DERR_INVALIDCALL;
    // As Direct3D does, drawing from memory unsets the stream source.
    SetReferenced<VertexBuffer>(stream, nullptr);
    if (count == 0)
        return D3D_OK;
    FvfLayout layout;
    if (!PrepareDraw(static_cast<const std::byte*>(vertices), stride, 0, layout))
        return D3DERR_INVALIDCALL;
    glDrawArrays(GlPrimitive(type), 0, static_cast<GLsizei>(count));
    FinishDraw(layout);
    RecordDraw(vertices, stride, count);
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                       const void* indexData, D3DFORMAT indexFormat, const void* vertices,
                                       UINT stride)
{
    const UINT count = VertexCountOf(type, primitiveCount);
    if (!vertices || !indexData || stride == 0 || (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    SetReferenced<VertexBuffer>(stream, nullptr);
    SetReferenced<IndexBuffer>(indices, nullptr);
    if (count == 0)
        return D3D_OK;
    FvfLayout layout;
    if (!PrepareDraw(static_cast<const std::byte*>(vertices), stride, 0, layout))
        return D3DERR_INVALIDCALL;
    cache.ElementBuffer(0);
    glDrawElements(GlPrimitive(type), static_cast<GLsizei>(count),
                   indexFormat == D3DFMT_INDEX32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, indexData);
    FinishDraw(layout);
    RecordDraw(static_cast<const std::byte*>(vertices) + std::size_t(minIndex) * stride, stride, vertexCount);
    return D3D_OK;
}

void Device::RecordDraw(const void* vertices, UINT stride, UINT vertexCount)
{
    if (!drawRecord)
        return;
    const auto* bytes = static_cast<const std::byte*>(vertices);
    drawRecord->push_back({textures[0], fvf, stride, {bytes, bytes + std::size_t(vertexCount) * stride}});
}
