#include "platform/win/WinProfile.h"

#include <cstring>
#include <string>

#include "platform/win/IniDocument.h"
#include "platform/win/WinFiles.h"

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR buffer, DWORD size, LPCSTR fileName)
{
    if (!buffer || size == 0)
        return 0;
    std::string value = IniDocument::Trimmed(defaultValue ? defaultValue : "");
    if (section && key && fileName) {
        if (const auto ini = IniDocument::Load(NativePath(fileName)))
            value = ini->Value(section, key).value_or(value);
    }
    const std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<DWORD>(copied);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !fileName)
        return FALSE;
    const std::string path = NativePath(fileName);
    auto ini = IniDocument::Load(path);
    if (!ini)
        return FALSE;
    if (key)
        ini->SetValue(section, key, value);
    else
        ini->RemoveSection(section);
    return ini->Save(path);
}
