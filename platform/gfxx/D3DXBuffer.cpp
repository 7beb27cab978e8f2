#include "platform/gfxx/D3DXBuffer.h"

#include <cstring>
#include <vector>

#include "platform/gfx/RefCounted.h"

namespace {

class ByteBuffer final : public RefCounted<ID3DXBuffer> {
public:
    explicit ByteBuffer(std::size_t size) : bytes_(size) {}
    void* GetBufferPointer() override { return bytes_.data(); }
    DWORD GetBufferSize() override { return DWORD(bytes_.size()); }

private:
    std::vector<unsigned char> bytes_;
};

} // namespace

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer)
{
    if (buffer == nullptr)
        return D3DERR_INVALIDCALL;
    *buffer = new ByteBuffer(size);
    return D3D_OK;
}

ID3DXBuffer* CreateTextBuffer(const char* text)
{
    const std::size_t length = std::strlen(text);
    auto* buffer = new ByteBuffer(length + 1);
    std::memcpy(buffer->GetBufferPointer(), text, length + 1);
    return buffer;
}
