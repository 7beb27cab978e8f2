#pragma once
// The registry subset the game uses, kept in the player's private store that is emptied when
// the machine restarts (VolatileStore.h), so every key lasts until then. A key is a folder, a
// value a file holding its type and bytes. When the store cannot be used, opening and creating
// keys fail with ERROR_ACCESS_DENIED.
#include "platform/win/WinTypes.h"

struct SECURITY_ATTRIBUTES;

struct RegistryKey;
using HKEY = RegistryKey*;
using REGSAM = DWORD;
using LSTATUS = LONG;

extern const HKEY HKEY_LOCAL_MACHINE;
extern const HKEY HKEY_CURRENT_USER;

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_OPTION_VOLATILE = 1;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

LSTATUS RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
LSTATUS RegCreateKeyExA(HKEY parent, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                        REGSAM access, SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition);
LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LSTATUS RegCloseKey(HKEY key);
