// Bytes as a pack: a 2-byte index length, the index, then the data file. Decoded in memory, then
// written as the Objects and World packs of a scratch working folder and read through the file
// system: every entry it keeps must open and read within its data.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/files/PackIndex.h"
#include "engine/shell/GameSettings.h"

namespace {

char scratchFolder[] = "/tmp/vestrune-fuzz-pack-XXXXXX";

void RemoveScratchFolder()
{
    std::filesystem::remove_all(scratchFolder);
}

void WriteFile(const char* path, const std::uint8_t* bytes, std::size_t length)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes, 1, length, file);
    std::fclose(file);
}

void ReadThroughFileSystem(const PackIndex& index)
{
    char line[256];
    for (const PackRecord& record : index.records) {
        int size = -1;
        const int objects = fileSystem.Open(record.name.c_str(), FILE_MODE_OBJECTS, &size);
        if (objects != -1) {
            for (int read = 0; read <= size + 1; ++read)
                fileSystem.ReadLine(line, 1 + (read * 7) % 255, objects);
            fileSystem.Close(objects);
        }
        const int world = fileSystem.Open(record.name.c_str(), FILE_MODE_WORLD, &size);
        if (world != -1) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
            if (fileSystem.Read(bytes.data(), 1, size, world) != size)
                std::abort();
            fileSystem.Close(world);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!::mkdtemp(scratchFolder) || ::chdir(scratchFolder) != 0 || ::mkdir("Data", 0777) != 0)
        std::abort();
    std::atexit(RemoveScratchFolder);
    FileManager = 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t length)
{
    if (length < 2)
        return 0;
    const std::size_t indexLength = std::min<std::size_t>(bytes[0] | bytes[1] << 8, length - 2);
    const std::uint8_t* indexBytes = bytes + 2;
    const std::uint8_t* data = indexBytes + indexLength;
    const std::size_t dataLength = length - 2 - indexLength;

    const PackIndex index = DecodePackIndex({indexBytes, indexLength}, dataLength);
    std::vector<std::uint8_t> entry;
    for (const PackRecord& record : index.records) {
        if (record.name.size() > static_cast<std::size_t>(PACK_NAME_LIMIT) || record.size < 0 || record.offset < 0 ||
            static_cast<std::uint64_t>(record.offset) + static_cast<std::uint64_t>(record.size) > dataLength)
            std::abort();
        entry.assign(data + record.offset, data + record.offset + record.size);
        ShiftPackBytes(entry);
    }

    for (const PackId pack : {PACK_OBJECTS, PACK_WORLD}) {
        WriteFile(PACK_FILES[pack].index, indexBytes, indexLength);
        WriteFile(PACK_FILES[pack].data, data, dataLength);
    }
    fileSystem.Init();
    ReadThroughFileSystem(index);
    fileSystem.Release();
    return 0;
}
