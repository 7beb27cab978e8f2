// The profile and best-results readers over arbitrary file contents: a profile either loads
// whole and sound or not at all, and every row of the table ends up sound.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "frontend/Profiles.h"
#include "frontend/Records.h"

namespace {

// One folder of this process for the file under test.
const std::string& InputFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/fuzz_profiles_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = InputFolder() + "/Input.sav";
    WriteInput(path, data, size);

    ProfileImage profile {};
    if (ReadProfileFile(path.c_str(), profile) == SaveReadResult::Loaded &&
        (!std::memchr(profile.name, 0, sizeof profile.name) || !IsPlausibleCareer(profile.career)))
        std::abort();

    RecordsRow table[RECORDS_ROWS];
    ReadRecordsFile(path.c_str(), table);
    for (const RecordsRow& row : table)
        if (!IsPlausibleRecordsRow(row))
            std::abort();
    return 0;
}
