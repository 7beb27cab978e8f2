#include "platform/gfx/FormatInfo.h"

#include <algorithm>

namespace {

FormatInfo Plain(GLenum internalFormat, GLenum format, GLenum type, unsigned bytes)
{
    FormatInfo info;
    info.internalFormat = internalFormat;
    info.format = format;
    info.type = type;
    info.bytesPerUnit = bytes;
    return info;
}

FormatInfo Swizzled(FormatInfo info, GLint r, GLint g, GLint b, GLint a)
{
    info.swizzle[0] = r;
    info.swizzle[1] = g;
    info.swizzle[2] = b;
    info.swizzle[3] = a;
    return info;
}

FormatInfo Compressed(GLenum internalFormat, unsigned blockBytes)
{
    FormatInfo info;
    info.internalFormat = internalFormat;
    info.bytesPerUnit = blockBytes;
    info.compressed = true;
    return info;
}

FormatInfo Depth(GLenum internalFormat, bool stencil)
{
    FormatInfo info;
    info.internalFormat = internalFormat;
    info.bytesPerUnit = 4;
    info.depth = true;
    info.stencil = stencil;
    return info;
}

} // namespace

const FormatInfo* FindFormat(D3DFORMAT format)
{
    // Direct3D names channels from the most significant bit; in memory on a little-endian machine
    // A8R8G8B8 is B, G, R, A, which GL calls GL_BGRA with unsigned bytes.
    static const FormatInfo a8r8g8b8 = Plain(GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, 4);
    static const FormatInfo x8r8g8b8 = Plain(GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE, 4);
    static const FormatInfo r8g8b8 = Plain(GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE, 3);
    static const FormatInfo r5g6b5 = Plain(GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2);
    static const FormatInfo x1r5g5b5 = Plain(GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, 2);
    static const FormatInfo a1r5g5b5 = Plain(GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, 2);
    static const FormatInfo a4r4g4b4 = Plain(GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, 2);
    static const FormatInfo a8 = Swizzled(Plain(GL_R8, GL_RED, GL_UNSIGNED_BYTE, 1), GL_ZERO, GL_ZERO, GL_ZERO, GL_RED);
    static const FormatInfo a8b8g8r8 = Plain(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4);
    static const FormatInfo x8b8g8r8 = Plain(GL_RGB8, GL_RGBA, GL_UNSIGNED_BYTE, 4);
    static const FormatInfo l8 = Swizzled(Plain(GL_R8, GL_RED, GL_UNSIGNED_BYTE, 1), GL_RED, GL_RED, GL_RED, GL_ONE);
    static const FormatInfo a8l8 = Swizzled(Plain(GL_RG8, GL_RG, GL_UNSIGNED_BYTE, 2), GL_RED, GL_RED, GL_RED, GL_GREEN);
    static const FormatInfo v8u8 = Plain(GL_RG8_SNORM, GL_RG, GL_BYTE, 2);
    static const FormatInfo q8w8v8u8 = Plain(GL_RGBA8_SNORM, GL_RGBA, GL_BYTE, 4);
    static const FormatInfo a16b16g16r16f = Plain(GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, 8);
    static const FormatInfo r32f = Plain(GL_R32F, GL_RED, GL_FLOAT, 4);
    static const FormatInfo a32b32g32r32f = Plain(GL_RGBA32F, GL_RGBA, GL_FLOAT, 16);
    static const FormatInfo dxt1 = Compressed(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 8);
    static const FormatInfo dxt3 = Compressed(GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 16);
    static const FormatInfo dxt5 = Compressed(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 16);
    static const FormatInfo d16 = Depth(GL_DEPTH_COMPONENT16, false);
    static const FormatInfo d24x8 = Depth(GL_DEPTH_COMPONENT24, false);
    static const FormatInfo d32 = Depth(GL_DEPTH_COMPONENT32, false);
    static const FormatInfo d24s8 = Depth(GL_DEPTH24_STENCIL8, true);

    switch (format) {
    case D3DFMT_A8R8G8B8: return &a8r8g8b8;
    case D3DFMT_X8R8G8B8: return &x8r8g8b8;
    case D3DFMT_R8G8B8: return &r8g8b8;
    case D3DFMT_R5G6B5: return &r5g6b5;
    case D3DFMT_X1R5G5B5: return &x1r5g5b5;
    case D3DFMT_A1R5G5B5: return &a1r5g5b5;
    case D3DFMT_A4R4G4B4: return &a4r4g4b4;
    case D3DFMT_A8: return &a8;
    case D3DFMT_A8B8G8R8: return &a8b8g8r8;
    case D3DFMT_X8B8G8R8: return &x8b8g8r8;
    case D3DFMT_L8: return &l8;
    case D3DFMT_A8L8: return &a8l8;
    case D3DFMT_V8U8: return &v8u8;
    case D3DFMT_Q8W8V8U8: return &q8w8v8u8;
    case D3DFMT_A16B16G16R16F: return &a16b16g16r16f;
    case D3DFMT_R32F: return &r32f;
    case D3DFMT_A32B32G32R32F: return &a32b32g32r32f;
    case D3DFMT_DXT1: return &dxt1;
    case D3DFMT_DXT2:
    case D3DFMT_DXT3: return &dxt3;
    case D3DFMT_DXT4:
    case D3DFMT_DXT5: return &dxt5;
    case D3DFMT_D16:
    case D3DFMT_D16_LOCKABLE: return &d16;
    case D3DFMT_D24X8: return &d24x8;
    case D3DFMT_D32: return &d32;
    case D3DFMT_D24S8:
    case D3DFMT_D24X4S4:
    case D3DFMT_D15S1: return &d24s8;
    default: return nullptr;
    }
}

unsigned RowPitchOf(const FormatInfo& info, unsigned width)
{
    return info.compressed ? std::max(1u, (width + 3) / 4) * info.bytesPerUnit : width * info.bytesPerUnit;
}

unsigned RowCountOf(const FormatInfo& info, unsigned height)
{
    return info.compressed ? std::max(1u, (height + 3) / 4) : height;
}

unsigned FullChainLevels(unsigned width, unsigned height, unsigned depth)
{
    unsigned largest = std::max({width, height, depth, 1u});
    unsigned levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}
