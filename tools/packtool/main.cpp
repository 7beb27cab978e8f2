// packtool list <pack>: the entries with their offsets and sizes.
// packtool extract <pack> <name> <out>: one entry's bytes, as the game reads them, into out.
// <pack> is the path without its extension, e.g. "Data/World".
#include <cstdio>
#include <cstring>

#include "tools/packtool/PackListing.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: packtool list <pack>\n       packtool extract <pack> <name> <out>\n");
    return 2;
}

bool Open(const char* base, OpenedPack& pack)
{
    if (!OpenPack(base, pack)) {
        std::fprintf(stderr, "packtool: cannot read %s.hdr and %s.pak\n", base, base);
        return false;
    }
    for (const std::string& problem : pack.index.problems)
        std::fprintf(stderr, "packtool: %s.hdr: %s\n", base, problem.c_str());
    return true;
}

int List(const char* base)
{
    OpenedPack pack;
    if (!Open(base, pack))
        return 1;
    std::printf("%10s %10s  %s\n", "offset", "size", "name");
    for (const PackRecord& record : pack.index.records)
        std::printf("%10d %10d  %s\n", record.offset, record.size, record.name.c_str());
    std::printf("%zu entries\n", pack.index.records.size());
    return pack.index.problems.empty() ? 0 : 1;
}

int Extract(const char* base, const char* name, const char* out)
{
    OpenedPack pack;
    if (!Open(base, pack))
        return 1;
    for (const PackRecord& record : pack.index.records) {
        if (record.name != name)
            continue;
        std::vector<std::uint8_t> bytes;
        if (!ReadEntry(pack, record, bytes)) {
            std::fprintf(stderr, "packtool: cannot read \"%s\" from %s\n", name, pack.dataPath.c_str());
            return 1;
        }
        std::FILE* file = std::fopen(out, "wb");
        bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file)
            written = std::fclose(file) == 0 && written;
        if (!written) {
            std::fprintf(stderr, "packtool: cannot write %s\n", out);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "packtool: no entry \"%s\" in %s.hdr\n", name, base);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "list") == 0)
        return List(argv[2]);
    if (argc == 5 && std::strcmp(argv[1], "extract") == 0)
        return Extract(argv[2], argv[3], argv[4]);
    return Usage();
}
