#include "platform/win/WinProfile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "platform/win/IniDocument.h"
#include "platform/win/WinFiles.h"

namespace {

bool SameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_mode == b.st_mode && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

// A file written less than a second before it is read may be written again within the same
// timestamp, unseen by its identity; its content is not kept. A later write of an older file
// gives it a new modification time.
bool Settled(const struct stat& info)
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return info.st_mtim.tv_sec + 1 < now.tv_sec;
}

// The last file read, kept while the file at its path is the same one, unchanged, so that
// reading every key of a file reads and parses it once.
struct LastRead {
    std::string path;
    struct stat info {};
    std::optional<IniDocument> document; // nullopt: the file is not read
    bool valid = false;
};
LastRead lastRead;

// The document of the file as it is now; nullopt when it is there but is not read, told once on
// stderr for each state of the file.
const std::optional<IniDocument>& ReadDocument(const std::string& path)
{
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && lastRead.valid && lastRead.path == path && SameFile(lastRead.info, info))
        return lastRead.document;
    std::string problem;
    lastRead.document = IniDocument::Load(path, &problem);
    if (!lastRead.document)
        std::fprintf(stderr, "%s: %s, not read; its settings take their defaults\n", path.c_str(), problem.c_str());
    lastRead.path = path;
    lastRead.info = info;
    lastRead.valid = exists && (!lastRead.document || Settled(info));
    return lastRead.document;
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR buffer, DWORD size, LPCSTR fileName)
{
    if (!buffer || size == 0)
        return 0;
    std::string value(IniDocument::Trimmed(defaultValue ? defaultValue : ""));
    if (section && key && fileName) {
        if (const auto& ini = ReadDocument(NativePath(fileName)))
            value = ini->Value(section, key).value_or(value);
    }
    const std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<DWORD>(copied);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !fileName)
        return FALSE;
    lastRead.valid = false;
    const std::string path = NativePath(fileName);
    std::string problem;
    auto ini = IniDocument::Load(path, &problem);
    if (!ini) {
        std::fprintf(stderr, "%s: %s, not written\n", path.c_str(), problem.c_str());
        return FALSE;
    }
    if (key)
        ini->SetValue(section, key, value);
    else
        ini->RemoveSection(section);
    return ini->Save(path);
}
