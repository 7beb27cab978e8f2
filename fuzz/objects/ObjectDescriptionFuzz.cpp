// The object description reader over arbitrary text: header, type lines, component sections
// and their own lines, truncated anywhere. Loaded from a loose file, without a device.
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "engine/files/FileSystem.h"
#include "engine/shell/GameSettings.h"
#include "world/objects/StaticObject.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vestrune_fuzz_objects";
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        FileManager = 0;
        fileSystem.Init();
        return true;
    }();
    (void)ready;
    if (std::FILE* file = std::fopen("fuzz.obj", "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    // The first byte picks the settings that change what the reader consumes.
    const std::uint8_t choice = size > 0 ? data[0] : 0;
    GameSettings[SLOT_BUMP] = choice % 3;
    GameSettings[SLOT_SHADOWS] = (choice / 3) % 4;
    GameSettings[SLOT_ATMOSPHERE] = (choice / 12) % 3;
    CStaticObject object;
    object.Load("fuzz.obj", 1, choice & 0x80 ? -1 : choice);
    object.Release();
    return 0;
}
