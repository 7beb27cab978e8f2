// The settings file reader over arbitrary contents: every file within the size limit reads, and
// a write of one key, read back, gives that key its new value and every other key its old one.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "fuzz/FuzzInputFile.h"
#include "platform/win/IniDocument.h"

namespace {

struct Key {
    const char* section;
    const char* name;
};
constexpr Key KEYS[] = {{"Video", "Mode"},  {"Video", "Windowed"}, {"Audio", "Master"},
                        {"Misc", "Debug out"}, {"Controls", "Act01"}, {"VIDEO", "mode"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteFuzzInputFile("Game.ini", data, size);
    auto ini = IniDocument::Load(path);
    if (!ini)
        std::abort();
    std::optional<std::string> before[std::size(KEYS)];
    for (std::size_t i = 0; i < std::size(KEYS); ++i)
        before[i] = ini->Value(KEYS[i].section, KEYS[i].name);

    ini->SetValue("Audio", "Master", "42");
    if (!ini->Save(path))
        std::abort();
    const auto written = IniDocument::Load(path);
    if (!written || written->Value("Audio", "Master") != "42")
        std::abort();
    for (std::size_t i = 0; i < std::size(KEYS); ++i)
        if (i != 2 && written->Value(KEYS[i].section, KEYS[i].name) != before[i])
            std::abort();
    return 0;
}
