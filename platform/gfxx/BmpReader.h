#pragma once
// Reader of uncompressed .bmp files with 24 or 32 bits per pixel, bottom-up or top-down. A
// 32-bit file has alpha only when its header (V3 or later) declares an alpha mask of
// 0xFF000000 with the usual bit fields; otherwise its fourth byte is ignored.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/gfxx/ImageData.h"

bool IsBmpFile(const std::uint8_t* data, std::size_t size);
std::optional<DecodedImage> ReadBmp(const std::uint8_t* data, std::size_t size);
