// The profile and best-results readers over arbitrary file contents: a profile either loads
// whole and sound or not at all, and every row of the table ends up sound.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/Profiles.h"
#include "frontend/Records.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteFuzzInputFile("Input.sav", data, size);

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
