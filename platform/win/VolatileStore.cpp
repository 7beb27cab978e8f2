#include "platform/win/VolatileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/FileReplace.h"

namespace {

constexpr const char* FOLDER_NAME = "vestrune-registry";
constexpr const char* BOOT_STAMP = "boot-id";
constexpr const char* BOOT_ID_SOURCE = "/proc/sys/kernel/random/boot_id";

std::optional<std::filesystem::path> AbsoluteFolderOf(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

// $XDG_RUNTIME_DIR, else $XDG_STATE_HOME, else ~/.local/state.
std::optional<std::filesystem::path> BaseFolder()
{
    if (auto runtime = AbsoluteFolderOf("XDG_RUNTIME_DIR"))
        return runtime;
    if (auto state = AbsoluteFolderOf("XDG_STATE_HOME"))
        return state;
    if (auto home = AbsoluteFolderOf("HOME"))
        return *home / ".local" / "state";
    return std::nullopt;
}

bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The first line of a small file, opened without following a link; empty when unreadable.
std::string FirstLineOf(const std::filesystem::path& file)
{
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return {};
    char text[64] = {};
    const ssize_t count = ::read(descriptor, text, sizeof text - 1);
    ::close(descriptor);
    std::string line(text, count > 0 ? static_cast<std::size_t>(count) : 0);
    return line.substr(0, line.find('\n'));
}

// Empties the folder when its boot stamp is not this boot's id. Without a readable boot id the
// folder is kept as it is.
void ForgetEarlierBoots(const std::filesystem::path& folder)
{
    const std::string bootId = FirstLineOf(BOOT_ID_SOURCE);
    if (bootId.empty() || FirstLineOf(folder / BOOT_STAMP) == bootId)
        return;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        std::filesystem::remove_all(entry.path(), error);
    const std::string stamp = bootId + "\n";
    ReplaceFileContents((folder / BOOT_STAMP).c_str(), stamp.data(), stamp.size(), LinkWrite::REPLACE_LINK);
}

} // namespace

bool CreatePrivateFolders(const std::filesystem::path& folder)
{
    std::filesystem::path partial;
    std::error_code error;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST && !std::filesystem::is_directory(partial, error))
            return false;
    }
    return true;
}

std::optional<std::filesystem::path> VolatileStoreFolder()
{
    const auto base = BaseFolder();
    if (!base) {
        std::fprintf(stderr, "Run counter: no XDG_RUNTIME_DIR, XDG_STATE_HOME or HOME to keep it in\n");
        return std::nullopt;
    }
    const std::filesystem::path folder = *base / FOLDER_NAME;
    if (!CreatePrivateFolders(folder)) {
        std::fprintf(stderr, "Run counter: cannot make %s: %s\n", folder.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    if (!IsPrivateFolder(folder)) {
        std::fprintf(stderr, "Run counter: %s is not a private folder of this user; it is not used\n",
                     folder.c_str());
        return std::nullopt;
    }
    ForgetEarlierBoots(folder);
    return folder;
}
