#pragma once
// A GL texture (2D, cube or 3D) with a CPU copy of each level for Lock/Unlock. Locks hand out
// the copy; unlocking uploads the level to GL. Render-target textures have no copy.
#include <epoxy/gl.h>

#include <cstddef>
#include <vector>

#include "platform/gfx/FormatInfo.h"
#include "platform/gfx/RefCounted.h"

class TextureStorage {
public:
    // target: GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP or GL_TEXTURE_3D. levels 0: a full chain.
    TextureStorage(GLenum target, unsigned width, unsigned height, unsigned depth, unsigned levels, DWORD usage,
                   D3DFORMAT format, D3DPOOL pool, std::shared_ptr<int> defaultPoolCounter);
    ~TextureStorage();
    TextureStorage(const TextureStorage&) = delete;
    TextureStorage& operator=(const TextureStorage&) = delete;

    // False when the format is unknown or GL refused the storage.
    bool Valid() const { return name != 0; }

    GLuint Name() const { return name; }
    GLenum Target() const { return target; }
    unsigned Levels() const { return levels; }
    unsigned Width(unsigned level) const;
    unsigned Height(unsigned level) const;
    unsigned Depth(unsigned level) const;
    D3DFORMAT Format() const { return format; }
    DWORD Usage() const { return usage; }
    D3DPOOL Pool() const { return pool; }

    D3DSURFACE_DESC SurfaceDesc(unsigned level, D3DRESOURCETYPE type) const;
    HRESULT Lock(unsigned face, unsigned level, const D3DBOX* box, D3DLOCKED_BOX* locked, DWORD flags);
    HRESULT Unlock(unsigned face, unsigned level);

private:
    struct Level {
        std::vector<std::byte> bytes;
        bool locked = false;
        bool readOnly = false;
    };
    Level* LevelAt(unsigned face, unsigned level);
    unsigned RowPitch(unsigned level) const;
    unsigned SlicePitch(unsigned level) const;
    void Upload(unsigned face, unsigned level);

    GLenum target;
    unsigned width, height, depth;
    unsigned levels;
    unsigned faces;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    const FormatInfo* info;
    GLuint name = 0;
    std::vector<Level> copies; // face-major
    DefaultPoolTicket ticket;
};
