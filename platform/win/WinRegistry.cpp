#include "platform/win/WinRegistry.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/WinFiles.h"

struct RegistryKey {
    std::filesystem::path folder;
    bool predefined;
};

namespace {

std::filesystem::path VolatileRoot()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::filesystem::path(runtime) / "vestrune-registry";
    return std::filesystem::path("/dev/shm") / ("vestrune-registry-" + std::to_string(::getuid()));
}

RegistryKey localMachine {"HKEY_LOCAL_MACHINE", true};
RegistryKey currentUser {"HKEY_CURRENT_USER", true};

// Folder of a key below its parent; the predefined roots resolve against the store's root.
std::filesystem::path KeyFolder(HKEY parent, LPCSTR subKey)
{
    std::filesystem::path base = parent->predefined ? VolatileRoot() / parent->folder : parent->folder;
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

} // namespace

const HKEY HKEY_LOCAL_MACHINE = &localMachine;
const HKEY HKEY_CURRENT_USER = &currentUser;

LSTATUS RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!ValidKey(parent) || !result)
        return ERROR_INVALID_PARAMETER;
    std::error_code error;
    const auto folder = KeyFolder(parent, subKey);
    if (!std::filesystem::is_directory(folder, error))
        return ERROR_FILE_NOT_FOUND;
    *result = new RegistryKey {folder, false};
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExA(HKEY parent, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*,
                        HKEY* result, DWORD* disposition)
{
    if (!ValidKey(parent) || !result)
        return ERROR_INVALID_PARAMETER;
    std::error_code error;
    const auto folder = KeyFolder(parent, subKey);
    const bool existed = std::filesystem::is_directory(folder, error);
    if (!existed) {
        std::filesystem::create_directories(folder, error);
        if (error)
            return ERROR_ACCESS_DENIED;
    }
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = new RegistryKey {folder, false};
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (!ValidKey(key) || !valueName)
        return ERROR_INVALID_PARAMETER;
    std::ifstream file(key->folder / valueName, std::ios::binary);
    if (!file)
        return ERROR_FILE_NOT_FOUND;
    std::vector<char> stored((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (stored.size() < sizeof(DWORD))
        return ERROR_FILE_NOT_FOUND;
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
    std::ofstream file(key->folder / valueName, std::ios::binary | std::ios::trunc);
    if (!file)
        return ERROR_ACCESS_DENIED;
    file.write(reinterpret_cast<const char*>(&type), sizeof type);
    file.write(reinterpret_cast<const char*>(data), dataSize);
    return file ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LSTATUS RegCloseKey(HKEY key)
{
    if (!ValidKey(key))
        return ERROR_INVALID_PARAMETER;
    if (!key->predefined)
        delete key;
    return ERROR_SUCCESS;
}
