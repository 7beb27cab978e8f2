#include "platform/win/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/win/WinFiles.h"

namespace {

bool WriteAll(int descriptor, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the temporary file whole; false when it could not be created, written or closed.
bool WriteTemporary(const std::string& temporary, const void* bytes, std::size_t size, const struct stat* existing)
{
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    bool written = WriteAll(descriptor, static_cast<const char*>(bytes), size);
    if (existing)
        written = written && ::fchmod(descriptor, existing->st_mode & 0777) == 0;
    return ::close(descriptor) == 0 && written;
}

// The final target of a symbolic link, or the name itself when it is none; nullopt for a link
// that leads nowhere.
std::optional<std::string> LinkTarget(const std::string& name)
{
    struct stat link {};
    if (::lstat(name.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return name;
    char target[PATH_MAX];
    if (!::realpath(name.c_str(), target))
        return std::nullopt;
    return std::string(target);
}

} // namespace

bool ReplaceFileContents(LPCSTR fileName, const void* bytes, std::size_t size, LinkWrite links)
{
    if (!fileName || (!bytes && size > 0))
        return false;
    const std::string name = NativePath(fileName);
    const auto replaced = links == LinkWrite::WRITE_THROUGH ? LinkTarget(name) : name;
    if (!replaced)
        return false;
    const std::string& path = *replaced;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(path.c_str(), W_OK) != 0))
        return false;

    const std::string temporary = path + ".tmp";
    if (!WriteTemporary(temporary, bytes, size, exists ? &existing : nullptr) ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
