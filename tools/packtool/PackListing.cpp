#include "tools/packtool/PackListing.h"

#include <filesystem>

bool OpenPack(const std::string& base, OpenedPack& pack)
{
    const std::string packName = std::filesystem::path(base).filename().string();
    pack.dataPath = base + ".pak";
    pack.dataShifted = false;
    for (const PackFiles& files : PACK_FILES)
        if (std::filesystem::path(files.index).stem() == packName)
            pack.dataShifted = files.dataShifted;
    return LoadPackIndex((base + ".hdr").c_str(), pack.dataPath.c_str(), pack.index);
}

bool ReadEntry(const OpenedPack& pack, const PackRecord& record, std::vector<std::uint8_t>& bytes)
{
    std::FILE* data = std::fopen(pack.dataPath.c_str(), "rb");
    if (!data)
        return false;
    bytes.resize(static_cast<std::size_t>(record.size));
    const bool read = ReadPackRecord(data, record, bytes.data());
    std::fclose(data);
    if (read && pack.dataShifted)
        ShiftPackBytes(bytes);
    return read;
}
