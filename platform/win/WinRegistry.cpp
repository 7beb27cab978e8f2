#include "platform/win/WinRegistry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/FileReplace.h"
#include "platform/win/VolatileStore.h"

struct RegistryKey {
    std::filesystem::path folder;
    bool predefined;
};

namespace {

RegistryKey localMachine {"HKEY_LOCAL_MACHINE", true};
RegistryKey currentUser {"HKEY_CURRENT_USER", true};

// Folder of a key below its parent; the predefined roots resolve against the store's folder.
// Nothing when the store cannot be used.
std::optional<std::filesystem::path> KeyFolder(HKEY parent, LPCSTR subKey)
{
    std::filesystem::path base = parent->folder;
    if (parent->predefined) {
        const auto store = VolatileStoreFolder();
        if (!store)
            return std::nullopt;
        base = *store / parent->folder;
    }
    for (const char* c = subKey ? subKey : ""; *c;) {
        const char* end = c;
        while (*end && *end != '\\' && *end != '/')
            ++end;
        if (end > c)
            base /= std::string(c, end);
        c = *end ? end + 1 : end;
    }
    return base;
}

bool ValidKey(HKEY key)
{
    return key != nullptr;
}

// A value file's bytes, opened without following a link; nothing when missing or not a file.
std::optional<std::vector<char>> ReadValueFile(const std::filesystem::path& file)
{
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::vector<char>> bytes;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.emplace();
        char chunk[256];
        ssize_t count = 0;
        while ((count = ::read(descriptor, chunk, sizeof chunk)) > 0)
            bytes->insert(bytes->end(), chunk, chunk + count);
        if (count < 0)
            bytes.reset();
    }
    ::close(descriptor);
    return bytes;
}

} // namespace

const HKEY HKEY_LOCAL_MACHINE = &localMachine;
const HKEY HKEY_CURRENT_USER = &currentUser;

LSTATUS RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!ValidKey(parent) || !result)
        return ERROR_INVALID_PARAMETER;
    std::error_code error;
    const auto folder = KeyFolder(parent, subKey);
    if (!folder)
        return ERROR_ACCESS_DENIED;
    if (!std::filesystem::is_directory(*folder, error))
        return ERROR_FILE_NOT_FOUND;
    *result = new RegistryKey {*folder, false};
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExA(HKEY parent, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*,
                        HKEY* result, DWORD* disposition)
{
    if (!ValidKey(parent) || !result)
        return ERROR_INVALID_PARAMETER;
    std::error_code error;
    const auto folder = KeyFolder(parent, subKey);
    if (!folder)
        return ERROR_ACCESS_DENIED;
    const bool existed = std::filesystem::is_directory(*folder, error);
    if (!existed && !CreatePrivateFolders(*folder))
        return ERROR_ACCESS_DENIED;
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = new RegistryKey {*folder, false};
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (!ValidKey(key) || !valueName)
        return ERROR_INVALID_PARAMETER;
    const auto read = ReadValueFile(key->folder / valueName);
    if (!read || read->size() < sizeof(DWORD))
        return ERROR_FILE_NOT_FOUND;
    const std::vector<char>& stored = *read;
    DWORD storedType = 0;
    std::memcpy(&storedType, stored.data(), sizeof storedType);
    const DWORD length = static_cast<DWORD>(stored.size() - sizeof storedType);
    if (type)
        *type = storedType;
    if (!dataSize)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD room = *dataSize;
    *dataSize = length;
    if (!data)
        return ERROR_SUCCESS;
    if (room < length)
        return ERROR_MORE_DATA;
    std::memcpy(data, stored.data() + sizeof storedType, length);
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    if (!ValidKey(key) || !valueName || (!data && dataSize))
        return ERROR_INVALID_PARAMETER;
    std::vector<char> stored(sizeof type + dataSize);
    std::memcpy(stored.data(), &type, sizeof type);
    if (dataSize)
        std::memcpy(stored.data() + sizeof type, data, dataSize);
    // Replaced whole: a link in the value's place is replaced, not followed.
    const auto file = key->folder / valueName;
    return ReplaceFileContents(file.c_str(), stored.data(), stored.size(), LinkWrite::REPLACE_LINK) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LSTATUS RegCloseKey(HKEY key)
{
    if (!ValidKey(key))
        return ERROR_INVALID_PARAMETER;
    if (!key->predefined)
        delete key;
    return ERROR_SUCCESS;
}
