#include "platform/gfxx/JpgReader.h"

#include <climits>
#include <memory>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

bool IsJpgFile(const std::uint8_t* data, std::size_t size) { return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF; }

std::optional<DecodedImage> ReadJpg(const std::uint8_t* data, std::size_t size)
{
    if (!IsJpgFile(data, size) || size > std::size_t(INT_MAX))
        return std::nullopt;
    const int length = int(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels) || width <= 0 || height <= 0 ||
        unsigned(width) > MaxImageSide || unsigned(height) > MaxImageSide)
        return std::nullopt;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(stbi_load_from_memory(data, length, &width, &height, &channels, 3),
                                                      stbi_image_free);
    if (!pixels)
        return std::nullopt;

    DecodedImage image;
    ImageLevel& level = image.faces.emplace_back().emplace_back();
    level.width = unsigned(width), level.height = unsigned(height);
    level.texels.resize(std::size_t(width) * height);
    const stbi_uc* p = pixels.get();
    for (std::uint32_t& texel : level.texels) {
        texel = 0xFF000000u | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
        p += 3;
    }
    return image;
}
