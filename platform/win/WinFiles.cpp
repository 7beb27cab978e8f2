#include "platform/win/WinFiles.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

std::string NativePath(LPCSTR name)
{
    std::string path = name ? name : "";
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

RegularFile OpenRegularFile(LPCSTR name, std::uint64_t sizeLimit)
{
    RegularFile file;
    const std::string path = NativePath(name);
    // O_NONBLOCK: opening a FIFO without a writer would wait for one.
    file.descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file.descriptor < 0) {
        file.failure = errno == ENOENT || errno == ENOTDIR ? RegularFile::MISSING : RegularFile::UNREADABLE;
        return file;
    }
    if (::fstat(file.descriptor, &file.info) != 0)
        file.failure = RegularFile::UNREADABLE;
    else if (!S_ISREG(file.info.st_mode))
        file.failure = RegularFile::NOT_REGULAR;
    else if (static_cast<std::uint64_t>(file.info.st_size) > sizeLimit)
        file.failure = RegularFile::TOO_LARGE;
    else if (::fcntl(file.descriptor, F_SETFL, ::fcntl(file.descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        file.failure = RegularFile::UNREADABLE;
    if (file.failure != RegularFile::NONE) {
        ::close(file.descriptor);
        file.descriptor = -1;
    }
    return file;
}

const char* DescribeFailure(RegularFile::Failure failure)
{
    switch (failure) {
    case RegularFile::NONE: return "opened";
    case RegularFile::MISSING: return "missing";
    case RegularFile::NOT_REGULAR: return "not a regular file";
    case RegularFile::TOO_LARGE: return "too large";
    case RegularFile::UNREADABLE: return "cannot be read";
    }
    return "cannot be read";
}

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer)
{
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    if (error)
        return 0;
    if (!buffer || current.size() + 1 > bufferLength)
        return static_cast<DWORD>(current.size() + 1);
    std::memcpy(buffer, current.c_str(), current.size() + 1);
    return static_cast<DWORD>(current.size());
}

BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES*)
{
    return ::mkdir(NativePath(path).c_str(), 0777) == 0;
}

BOOL RemoveDirectoryA(LPCSTR path)
{
    return ::rmdir(NativePath(path).c_str()) == 0;
}

BOOL DeleteFileA(LPCSTR path)
{
    struct stat info {};
    const std::string native = NativePath(path);
    if (::stat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return FALSE;
    return ::unlink(native.c_str()) == 0;
}

namespace {

bool SyncPath(const std::string& path, int flags)
{
    const int descriptor = ::open(path.c_str(), flags);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

} // namespace

BOOL MoveFileExA(LPCSTR existing, LPCSTR renamed, DWORD flags)
{
    const std::string from = NativePath(existing);
    const std::string to = NativePath(renamed);
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return FALSE;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::access(to.c_str(), F_OK) == 0)
        return FALSE;
    if ((flags & MOVEFILE_WRITE_THROUGH) && !SyncPath(from, O_RDONLY))
        return FALSE;
    if (::rename(from.c_str(), to.c_str()) != 0)
        return FALSE;
    if (flags & MOVEFILE_WRITE_THROUGH) {
        const std::string folder = std::filesystem::path(to).parent_path().string();
        SyncPath(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    }
    return TRUE;
}

namespace {

struct FileSearch {
    std::vector<WIN32_FIND_DATAA> matches;
    std::size_t next = 0;
};

WIN32_FIND_DATAA DescribeEntry(const std::filesystem::directory_entry& entry)
{
    WIN32_FIND_DATAA data {};
    std::error_code error;
    const bool folder = entry.is_directory(error);
    const std::uintmax_t size = folder ? 0 : entry.file_size(error);
    data.dwFileAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    data.nFileSizeHigh = static_cast<DWORD>(error ? 0 : size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(error ? 0 : size);
    const std::string name = entry.path().filename().string();
    std::strncpy(data.cFileName, name.c_str(), MAX_PATH - 1);
    return data;
}

} // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    const std::filesystem::path full(NativePath(pattern));
    std::filesystem::path folder = full.parent_path();
    const std::string namePattern = full.filename().string();
    if (folder.empty())
        folder = ".";

    auto search = new FileSearch;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < MAX_PATH && ::fnmatch(namePattern.c_str(), name.c_str(), FNM_PERIOD) == 0)
            search->matches.push_back(DescribeEntry(entry));
    }
    std::sort(search->matches.begin(), search->matches.end(),
              [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) { return std::strcmp(a.cFileName, b.cFileName) < 0; });
    if (search->matches.empty()) {
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    *found = search->matches[search->next++];
    return search;
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found)
{
    if (!search || search == INVALID_HANDLE_VALUE)
        return FALSE;
    auto* state = static_cast<FileSearch*>(search);
    if (state->next >= state->matches.size())
        return FALSE;
    *found = state->matches[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE search)
{
    if (!search || search == INVALID_HANDLE_VALUE)
        return FALSE;
    delete static_cast<FileSearch*>(search);
    return TRUE;
}
