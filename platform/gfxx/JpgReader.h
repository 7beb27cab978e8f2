#pragma once
// Reader of .jpg files (baseline and progressive) through stb_image; opaque X8R8G8B8 result.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/gfxx/ImageData.h"

bool IsJpgFile(const std::uint8_t* data, std::size_t size);
std::optional<DecodedImage> ReadJpg(const std::uint8_t* data, std::size_t size);
