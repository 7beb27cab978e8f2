// Any bytes through the .bmp reader.
#include <cstddef>
#include <cstdint>

#include "platform/gfxx/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadBmp(data, size);
    return 0;
}
