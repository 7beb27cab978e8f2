#pragma once
// A fuzz input as a file, for readers that take a path: written to one scratch folder of the
// process, under the given name, and replaced by each input.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

// The path of the file that now holds the input.
inline std::string WriteFuzzInputFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/fuzz_input_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            std::abort();
        return std::string(made);
    }();
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}
