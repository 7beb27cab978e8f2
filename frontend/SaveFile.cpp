#include "frontend/SaveFile.h"

#include <string>

#include "engine/files/FileSystem.h"
#include "platform/win/FileReplace.h"
#include "platform/win/WinFiles.h"

namespace {

constexpr DWORD WORKING_FOLDER_LIMIT = 255; // 254 characters and the terminator

} // namespace

bool WriteSaveFile(const char* fileName, const void* bytes, int size)
{
    char folder[WORKING_FOLDER_LIMIT];
    const DWORD length = GetCurrentDirectoryA(WORKING_FOLDER_LIMIT, folder);
    if (length == 0 || length >= WORKING_FOLDER_LIMIT)
        return false;

    const std::string saveFolder = std::string(folder) + "\\Save";
    const std::string path = saveFolder + "\\" + fileName;
    fileSystem.CreateFolder(saveFolder.c_str()); // an existing folder is fine
    return size >= 0 && ReplaceFileContents(path.c_str(), bytes, static_cast<std::size_t>(size), LinkWrite::WRITE_THROUGH);
}
