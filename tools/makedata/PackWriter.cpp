#include "tools/makedata/PackWriter.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "engine/files/PackIndex.h"

namespace {

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void CheckName(const std::string& name)
{
    if (name.empty() || name.size() > static_cast<std::size_t>(PACK_NAME_LIMIT))
        throw std::invalid_argument("pack entry name \"" + name + "\" must have 1 to 255 characters");
    for (const char c : name)
        if (ShiftPackByte(static_cast<std::uint8_t>(c)) == 0 || c == '\0')
            throw std::invalid_argument("pack entry name \"" + name + "\" holds a byte the index cannot store");
}

} // namespace

PackBuilder::PackBuilder(bool dataShifted)
    : dataShifted(dataShifted)
{
}

void PackBuilder::Add(const std::string& name, std::span<const std::uint8_t> bytes)
{
    CheckName(name);
    constexpr std::size_t limit = std::numeric_limits<std::int32_t>::max();
    if (bytes.size() > limit - data.size() || count == std::numeric_limits<std::int32_t>::max())
        throw std::length_error("pack data passes 2 GiB at \"" + name + "\"");

    for (const char c : name)
        records.push_back(ShiftPackByte(static_cast<std::uint8_t>(c)));
    records.push_back(0);
    AppendInt32(records, static_cast<std::int32_t>(bytes.size()));
    AppendInt32(records, static_cast<std::int32_t>(data.size()));
    ++count;

    const std::size_t start = data.size();
    data.insert(data.end(), bytes.begin(), bytes.end());
    if (dataShifted)
        std::transform(data.begin() + start, data.end(), data.begin() + start, ShiftPackByte);
}

std::vector<std::uint8_t> PackBuilder::Index() const
{
    std::vector<std::uint8_t> index = records;
    AppendInt32(index, count);
    return index;
}
