#include "platform/win/WinProfile.h"

#include <cstring>
#include <string>

#include "platform/win/IniDocument.h"
#include "platform/win/WinFiles.h"

namespace {

std::string Trimmed(LPCSTR text)
{
    std::string value = text ? text : "";
    const auto first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR buffer, DWORD size, LPCSTR fileName)
{
    if (!buffer || size == 0)
        return 0;
    std::string value = Trimmed(defaultValue);
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
