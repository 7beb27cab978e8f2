#pragma once
// Decodes an image file held in memory by its content (.dds, .bmp or .jpg), whatever its name.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/gfxx/ImageData.h"

std::optional<DecodedImage> DecodeImageFile(const std::uint8_t* data, std::size_t size);
