#pragma once
// Reader of .dds files: A8R8G8B8, X8R8G8B8, R5G6B5 and DXT1/3/5 surfaces, with mip chains,
// cube maps (all six faces) and volumes. Anything short, truncated, of another format or of
// absurd dimensions is refused.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/gfxx/ImageData.h"

bool IsDdsFile(const std::uint8_t* data, std::size_t size);
std::optional<DecodedImage> ReadDds(const std::uint8_t* data, std::size_t size);
