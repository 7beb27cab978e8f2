#include "platform/win/WinProfile.h"

#include <strings.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win/FileReplace.h"
#include "platform/win/WinFiles.h"

namespace {

struct IniText {
    std::vector<std::string> lines;
    bool crlf = false;
};

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, LPCSTR b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

std::optional<IniText> ReadIni(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::stringstream content;
    content << file.rdbuf();
    IniText ini;
    std::string line;
    while (std::getline(content, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            ini.crlf = true;
        }
        ini.lines.push_back(line);
    }
    return ini;
}

// The whole file is replaced, so a failed write leaves the previous content.
bool WriteIni(const std::string& path, const IniText& ini)
{
    const char* end = ini.crlf ? "\r\n" : "\n";
    std::string text;
    for (const auto& line : ini.lines)
        text += line + end;
    return ReplaceFileContents(path.c_str(), text.data(), text.size());
}

// The section named by a "[name]" line, or nullopt for any other line.
std::optional<std::string> SectionOf(const std::string& line)
{
    const std::string text = Trim(line);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

// Key and value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> EntryOf(const std::string& line)
{
    const std::string text = Trim(line);
    if (text.empty() || text.front() == ';')
        return std::nullopt;
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return std::make_pair(Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)));
}

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Line range [header, end) of a section: header is the "[name]" line.
struct SectionRange {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionRange> FindSection(const IniText& ini, LPCSTR section)
{
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        const auto name = SectionOf(ini.lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < ini.lines.size() && !SectionOf(ini.lines[end]))
            ++end;
        return SectionRange {i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const IniText& ini, const SectionRange& range, LPCSTR key)
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto entry = EntryOf(ini.lines[i]);
        if (entry && SameName(entry->first, key))
            return i;
    }
    return std::nullopt;
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR buffer, DWORD size, LPCSTR fileName)
{
    if (!buffer || size == 0)
        return 0;
    std::string value = Trim(defaultValue ? defaultValue : "");
    if (section && key) {
        if (const auto ini = ReadIni(NativePath(fileName))) {
            if (const auto range = FindSection(*ini, section)) {
                if (const auto line = FindKey(*ini, *range, key))
                    value = Unquote(EntryOf(ini->lines[*line])->second);
            }
        }
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
    IniText ini = ReadIni(path).value_or(IniText {});
    auto range = FindSection(ini, section);

    if (!key) {
        if (range)
            ini.lines.erase(ini.lines.begin() + static_cast<long>(range->header), ini.lines.begin() + static_cast<long>(range->end));
        return WriteIni(path, ini);
    }
    if (!range) {
        if (!value)
            return WriteIni(path, ini);
        ini.lines.push_back("[" + std::string(section) + "]");
        range = SectionRange {ini.lines.size() - 1, ini.lines.size()};
    }
    const auto line = FindKey(ini, *range, key);
    if (!value) {
        if (line)
            ini.lines.erase(ini.lines.begin() + static_cast<long>(*line));
    } else if (line) {
        ini.lines[*line] = std::string(key) + "=" + value;
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        std::size_t insertAt = range->end;
        while (insertAt > range->header + 1 && Trim(ini.lines[insertAt - 1]).empty())
            --insertAt;
        ini.lines.insert(ini.lines.begin() + static_cast<long>(insertAt), std::string(key) + "=" + value);
    }
    return WriteIni(path, ini);
}
