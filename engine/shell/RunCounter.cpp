#include "engine/shell/RunCounter.h"

#include <cstdio>

#include "engine/shell/MainWindow.h"
#include "platform/win/WinRegistry.h"

int CountStarts()
{
    char path[256];
    std::snprintf(path, sizeof path, "Software\\Talvoro\\%s\\", productName);

    HKEY key = nullptr;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        DWORD value = 0, size = sizeof value;
        if (RegQueryValueExA(key, "Started", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
            RegCloseKey(key);
            return 0;
        }
        count = value + 1;
    } else if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    const LSTATUS written = RegSetValueExA(key, "Started", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
    return written == ERROR_SUCCESS ? static_cast<int>(count) : 0;
}
