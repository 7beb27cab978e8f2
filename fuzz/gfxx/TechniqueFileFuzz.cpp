// Any bytes through the technique-file parser.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfxx/TechniqueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TechniqueFile file;
    std::string error;
    ParseTechniqueFile(reinterpret_cast<const char*>(data), size, file, error);
    return 0;
}
