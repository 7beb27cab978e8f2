#pragma once
// Files and folders: the working folder, folder creation and removal, file deletion and search.
// Every name accepts "\" as well as "/" as a path separator.
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "platform/win/WinTypes.h"

// The name with every "\" turned into "/".
std::string NativePath(LPCSTR name);

// A file opened for reading by OpenRegularFile: its descriptor (blocking reads) and what it was
// when opened, or -1 and why it was not opened.
struct RegularFile {
    enum Failure { NONE, MISSING, NOT_REGULAR, TOO_LARGE, UNREADABLE };
    int descriptor = -1;
    struct stat info {};
    Failure failure = NONE;
};
// Opens an existing file for reading only when it is a regular file of at most sizeLimit bytes;
// a FIFO, a device or a folder is refused without waiting on it. The caller closes the descriptor.
RegularFile OpenRegularFile(LPCSTR name, std::uint64_t sizeLimit);
// The failure in a few words ("not a regular file"), for a line that tells the player.
const char* DescribeFailure(RegularFile::Failure failure);

// Copies the working folder (no trailing separator) into buffer; returns its length, or the
// size needed (terminator included) when the buffer is too small, or 0 on failure.
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);

struct SECURITY_ATTRIBUTES;
BOOL CreateDirectoryA(LPCSTR path, SECURITY_ATTRIBUTES* attributes);
BOOL RemoveDirectoryA(LPCSTR path);
BOOL DeleteFileA(LPCSTR path);

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
// Renames a file in one step; MOVEFILE_REPLACE_EXISTING replaces a file of the new name, and
// MOVEFILE_WRITE_THROUGH returns only once the file's bytes and the new name are on the disk.
BOOL MoveFileExA(LPCSTR existing, LPCSTR renamed, DWORD flags);

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[MAX_PATH];
};

using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Pattern: a folder and a file-name pattern with "*" and "?" (e.g. "Save/Profile*.sav").
// Matches are returned in name order.
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found);
BOOL FindClose(HANDLE search);
