#include "platform/gfx/TextureStorage.h"

#include <algorithm>

TextureStorage::TextureStorage(GLenum target_, unsigned width_, unsigned height_, unsigned depth_, unsigned levels_,
                               DWORD usage_, D3DFORMAT format_, D3DPOOL pool_, std::shared_ptr<int> counter)
    : target(target_), width(std::max(1u, width_)), height(std::max(1u, height_)), depth(std::max(1u, depth_)),
      levels(levels_), faces(target_ == GL_TEXTURE_CUBE_MAP ? 6 : 1), usage(usage_), format(format_), pool(pool_),
      info(FindFormat(format_)), ticket(std::move(counter), pool_)
{
    if (!info || info->depth)
        return;
    const unsigned fullChain = FullChainLevels(width, height, target == GL_TEXTURE_3D ? depth : 1);
    if (levels == 0 || levels > fullChain || (usage & D3DUSAGE_AUTOGENMIPMAP))
        levels = fullChain;

    while (glGetError() != GL_NO_ERROR) {
    }
    glCreateTextures(target, 1, &name);
    if (target == GL_TEXTURE_3D)
        glTextureStorage3D(name, static_cast<GLsizei>(levels), info->internalFormat, width, height, depth);
    else
        glTextureStorage2D(name, static_cast<GLsizei>(levels), info->internalFormat, width, height);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        name = 0;
        return;
    }
    glTextureParameteri(name, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels - 1));
    glTextureParameteriv(name, GL_TEXTURE_SWIZZLE_RGBA, info->swizzle);
    if (!(usage & D3DUSAGE_RENDERTARGET))
        copies.resize(static_cast<std::size_t>(faces) * levels);
}

TextureStorage::~TextureStorage()
{
    if (name)
        glDeleteTextures(1, &name);
}

unsigned TextureStorage::Width(unsigned level) const { return std::max(1u, width >> level); }
unsigned TextureStorage::Height(unsigned level) const { return std::max(1u, height >> level); }
unsigned TextureStorage::Depth(unsigned level) const
{
    return target == GL_TEXTURE_3D ? std::max(1u, depth >> level) : 1u;
}

unsigned TextureStorage::RowPitch(unsigned level) const { return RowPitchOf(*info, Width(level)); }
unsigned TextureStorage::SlicePitch(unsigned level) const { return RowPitch(level) * RowCountOf(*info, Height(level)); }

D3DSURFACE_DESC TextureStorage::SurfaceDesc(unsigned level, D3DRESOURCETYPE type) const
{
    D3DSURFACE_DESC desc {};
    desc.Format = format;
    desc.Type = type;
    desc.Usage = usage;
    desc.Pool = pool;
    desc.MultiSampleType = D3DMULTISAMPLE_NONE;
    desc.Width = Width(level);
    desc.Height = Height(level);
    return desc;
}

TextureStorage::Level* TextureStorage::LevelAt(unsigned face, unsigned level)
{
    if (copies.empty() || face >= faces || level >= levels)
        return nullptr;
    return &copies[static_cast<std::size_t>(face) * levels + level];
}

HRESULT TextureStorage::Lock(unsigned face, unsigned level, const D3DBOX* box, D3DLOCKED_BOX* locked, DWORD flags)
{
    Level* copy = LevelAt(face, level);
    if (!copy || !locked || copy->locked)
        return D3DERR_INVALIDCALL;
    const std::size_t size = static_cast<std::size_t>(SlicePitch(level)) * Depth(level);
    if (copy->bytes.size() != size)
        copy->bytes.assign(size, std::byte {0});
    std::size_t offset = 0;
    if (box) {
        if (box->Left >= box->Right || box->Top >= box->Bottom || box->Right > Width(level) ||
            box->Bottom > Height(level) || box->Front >= box->Back || box->Back > Depth(level))
            return D3DERR_INVALIDCALL;
        const unsigned blockSide = info->compressed ? 4 : 1;
        offset = static_cast<std::size_t>(box->Front) * SlicePitch(level) +
                 static_cast<std::size_t>(box->Top / blockSide) * RowPitch(level) +
                 static_cast<std::size_t>(box->Left / blockSide) * info->bytesPerUnit;
    }
    copy->locked = true;
    copy->readOnly = (flags & D3DLOCK_READONLY) != 0;
    locked->RowPitch = static_cast<int>(RowPitch(level));
    locked->SlicePitch = static_cast<int>(SlicePitch(level));
    locked->pBits = copy->bytes.data() + offset;
    return D3D_OK;
}

HRESULT TextureStorage::Unlock(unsigned face, unsigned level)
{
    Level* copy = LevelAt(face, level);
    if (!copy || !copy->locked)
        return D3DERR_INVALIDCALL;
    copy->locked = false;
    if (!copy->readOnly)
        Upload(face, level);
    return D3D_OK;
}

void TextureStorage::Upload(unsigned face, unsigned level)
{
    const Level& copy = *LevelAt(face, level);
    const auto w = static_cast<GLsizei>(Width(level));
    const auto h = static_cast<GLsizei>(Height(level));
    const auto d = static_cast<GLsizei>(Depth(level));
    const auto size = static_cast<GLsizei>(copy.bytes.size());
    const auto lod = static_cast<GLint>(level);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (info->compressed) {
        if (target == GL_TEXTURE_2D)
            glCompressedTextureSubImage2D(name, lod, 0, 0, w, h, info->internalFormat, size, copy.bytes.data());
        else
            glCompressedTextureSubImage3D(name, lod, 0, 0, target == GL_TEXTURE_3D ? 0 : static_cast<GLint>(face), w,
                                          h, d, info->internalFormat, size, copy.bytes.data());
    } else {
        if (target == GL_TEXTURE_2D)
            glTextureSubImage2D(name, lod, 0, 0, w, h, info->format, info->type, copy.bytes.data());
        else
            glTextureSubImage3D(name, lod, 0, 0, target == GL_TEXTURE_3D ? 0 : static_cast<GLint>(face), w, h, d,
                                info->format, info->type, copy.bytes.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (level == 0 && (usage & D3DUSAGE_AUTOGENMIPMAP) && !info->compressed)
        glGenerateTextureMipmap(name);
}
