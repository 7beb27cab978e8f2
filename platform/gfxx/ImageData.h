#pragma once
// A decoded image file: every surface as 32-bit texels 0xAARRGGBB (the memory layout of
// A8R8G8B8 on a little-endian machine), rows top-down, volume slices one after the other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ImageShape { Flat, Cube, Volume };

struct ImageLevel {
    unsigned width = 0, height = 0, depth = 1;
    std::vector<std::uint32_t> texels; // width x height x depth
};

struct DecodedImage {
    ImageShape shape = ImageShape::Flat;
    // false: the file had no alpha channel (alpha is 0xFF everywhere, X8R8G8B8).
    bool hasAlpha = false;
    // One entry for flat and volume images, six for cube maps (+X, -X, +Y, -Y, +Z, -Z); each
    // holds the levels the file stores, largest first.
    std::vector<std::vector<ImageLevel>> faces;

    const ImageLevel& Top() const { return faces.front().front(); }
    unsigned LevelCount() const { return static_cast<unsigned>(faces.front().size()); }
};

// Bounds every reader enforces before it allocates.
constexpr unsigned MaxImageSide = 8192;
constexpr unsigned MaxVolumeSide = 1024;
constexpr std::uint64_t MaxImageTexels = std::uint64_t(1) << 26;

// Reads [offset, offset + size) of a byte span; every access is bounds-checked.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t Size() const { return size_; }
    bool Has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
    std::uint8_t U8(std::size_t offset) const { return data_[offset]; }
    std::uint16_t U16(std::size_t offset) const { return std::uint16_t(data_[offset] | data_[offset + 1] << 8); }
    std::uint32_t U32(std::size_t offset) const
    {
        return std::uint32_t(data_[offset]) | std::uint32_t(data_[offset + 1]) << 8 |
               std::uint32_t(data_[offset + 2]) << 16 | std::uint32_t(data_[offset + 3]) << 24;
    }
    const std::uint8_t* At(std::size_t offset) const { return data_ + offset; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};
