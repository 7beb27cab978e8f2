#include "engine/files/PackIndex.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t COUNT_BYTES = 4;
constexpr std::size_t NUMBERS_BYTES = 8;  // size and offset
constexpr std::size_t SMALLEST_RECORD = 1 + NUMBERS_BYTES;

std::int32_t ReadInt32(const std::uint8_t* bytes)
{
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

std::string Describe(std::size_t number, const std::string& name)
{
    return "entry " + std::to_string(number) + " \"" + name + "\"";
}

// Decodes the name at the start of bytes; its length with the terminator into used, 0 when the
// terminator is missing within the name limit.
std::string DecodeName(std::span<const std::uint8_t> bytes, std::size_t& used)
{
    const std::size_t reach = std::min(bytes.size(), static_cast<std::size_t>(PACK_NAME_LIMIT + 1));
    const auto terminator = std::find(bytes.begin(), bytes.begin() + reach, 0);
    if (terminator == bytes.begin() + reach) {
        used = 0;
        return {};
    }
    std::string name(bytes.begin(), terminator);
    for (char& c : name)
        c = static_cast<char>(ShiftPackByte(static_cast<std::uint8_t>(c)));
    used = name.size() + 1;
    return name;
}

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    bytes.clear();
    std::uint8_t block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    const bool sound = !std::ferror(file);
    std::fclose(file);
    return sound;
}

bool RegularFileLength(const char* path, std::uint64_t& length)
{
    struct stat info {};
    if (::stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

} // namespace

void ShiftPackBytes(std::span<std::uint8_t> bytes)
{
    for (std::uint8_t& byte : bytes)
        byte = ShiftPackByte(byte);
}

PackIndex DecodePackIndex(std::span<const std::uint8_t> index, std::uint64_t dataLength)
{
    PackIndex result;
    if (index.size() < COUNT_BYTES) {
        result.problems.push_back("index of " + std::to_string(index.size()) + " bytes has no entry count");
        return result;
    }
    const std::int32_t count = ReadInt32(index.data() + index.size() - COUNT_BYTES);
    if (count < 0) {
        result.problems.push_back("negative entry count " + std::to_string(count));
        return result;
    }
    std::span<const std::uint8_t> rest = index.first(index.size() - COUNT_BYTES);
    result.records.reserve(std::min<std::size_t>(count, rest.size() / SMALLEST_RECORD));

    std::size_t number = 0;
    for (; number < static_cast<std::size_t>(count); ++number) {
        if (rest.empty()) {
            result.problems.push_back("index ends after " + std::to_string(number) + " of " + std::to_string(count) +
                                      " entries");
            break;
        }
        std::size_t used = 0;
        std::string name = DecodeName(rest, used);
        if (used == 0) {
            result.problems.push_back("entry " + std::to_string(number) + " has no name within " +
                                      std::to_string(PACK_NAME_LIMIT) + " characters");
            break;
        }
        if (rest.size() - used < NUMBERS_BYTES) {
            result.problems.push_back(Describe(number, name) + " lacks its size and offset");
            break;
        }
        const std::int32_t size = ReadInt32(rest.data() + used);
        const std::int32_t offset = ReadInt32(rest.data() + used + 4);
        rest = rest.subspan(used + NUMBERS_BYTES);

        if (name.find('\0') != std::string::npos)
            result.problems.push_back(Describe(number, name.c_str()) + " has a 0 character in its name");
        else if (size < 0 || offset < 0 ||
                 static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(size) > dataLength)
            result.problems.push_back(Describe(number, name) + ": " + std::to_string(size) + " bytes at offset " +
                                      std::to_string(offset) + " do not fit the data's " +
                                      std::to_string(dataLength) + " bytes");
        else
            result.records.push_back(PackRecord {std::move(name), size, offset});
    }
    if (number == static_cast<std::size_t>(count) && !rest.empty())
        result.problems.push_back(std::to_string(rest.size()) + " bytes after the last of " + std::to_string(count) +
                                  " entries");
    return result;
}

bool LoadPackIndex(const char* indexPath, const char* dataPath, PackIndex& index)
{
    index = PackIndex {};
    std::vector<std::uint8_t> bytes;
    std::uint64_t dataLength = 0;
    if (!RegularFileLength(dataPath, dataLength) || !ReadWholeFile(indexPath, bytes))
        return false;
    index = DecodePackIndex(bytes, dataLength);
    return true;
}

bool ReadPackRecord(std::FILE* data, const PackRecord& record, std::uint8_t* out)
{
    if (std::fseek(data, record.offset, SEEK_SET) != 0)
        return false;
    return std::fread(out, 1, static_cast<std::size_t>(record.size), data) == static_cast<std::size_t>(record.size);
}
