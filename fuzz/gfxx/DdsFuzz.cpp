// Any bytes through the .dds reader: it refuses or decodes, never reads past the end.
#include <cstddef>
#include <cstdint>

#include "platform/gfxx/DdsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadDds(data, size);
    return 0;
}
