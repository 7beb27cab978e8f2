#include "frontend/SaveFile.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "engine/FileSystem.h"
#include "platform/win/WinFiles.h"

namespace {

constexpr DWORD WORKING_FOLDER_LIMIT = 255; // 254 characters and the terminator

bool HasSize(const char* path, int size)
{
    std::error_code error;
    const auto length = std::filesystem::file_size(NativePath(path), error);
    return !error && length == static_cast<std::uintmax_t>(size);
}

} // namespace

bool WriteSaveFile(const char* fileName, const void* bytes, int size)
{
    char folder[WORKING_FOLDER_LIMIT];
    const DWORD length = GetCurrentDirectoryA(WORKING_FOLDER_LIMIT, folder);
    if (length == 0 || length >= WORKING_FOLDER_LIMIT)
        return false;

    const std::string saveFolder = std::string(folder) + "\\Save";
    const std::string path = saveFolder + "\\" + fileName;
    const std::string temporary = path + ".tmp";
    fileSystem.CreateFolder(saveFolder.c_str()); // an existing folder is fine

    const int handle = fileSystem.OpenForWrite(temporary.c_str(), FILE_MODE_BINARY);
    if (handle < 0)
        return false;
    const bool written = fileSystem.Write(bytes, size, 1, handle) == 1;
    fileSystem.Close(handle);
    // The size on disk also catches a flush that failed when the file was closed.
    if (!written || !HasSize(temporary.c_str(), size) ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}
