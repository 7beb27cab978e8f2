#include "tools/makedata/FileUpdate.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

bool HoldsBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) != bytes.size() ||
        error)
        return false;
    std::ifstream file(path, std::ios::binary);
    std::vector<char> held((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return held.size() == bytes.size() && std::equal(held.begin(), held.end(), bytes.begin(), bytes.end(),
                                                     [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

} // namespace

bool WriteFileIfChanged(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    if (HoldsBytes(path, bytes))
        return false;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush())
            throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
    return true;
}
