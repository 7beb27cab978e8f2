#include "platform/win/IniDocument.h"

#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/win/FileReplace.h"

namespace {

bool SameName(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

// The section named by a "[name]" line, or nullopt for any other line.
std::optional<std::string> SectionOf(const std::string& line)
{
    const std::string text = IniDocument::Trimmed(line);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return IniDocument::Trimmed(text.substr(1, close - 1));
}

// Key and value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> EntryOf(const std::string& line)
{
    const std::string text = IniDocument::Trimmed(line);
    if (text.empty() || text.front() == ';')
        return std::nullopt;
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return std::make_pair(IniDocument::Trimmed(text.substr(0, equals)), IniDocument::Trimmed(text.substr(equals + 1)));
}

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::optional<IniDocument> IniDocument::Load(const std::string& path)
{
    IniDocument ini;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT)
            return ini;
        return std::nullopt;
    }
    std::stringstream content;
    content << file.rdbuf();
    if (file.bad())
        return std::nullopt;
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

std::optional<std::string> IniDocument::Value(const char* section, const char* key) const
{
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    const auto line = FindKey(*range, key);
    if (!line)
        return std::nullopt;
    return Unquote(EntryOf(lines[*line])->second);
}

void IniDocument::SetValue(const char* section, const char* key, const char* value)
{
    auto range = FindSection(section);
    if (!range) {
        if (!value)
            return;
        lines.push_back("[" + std::string(section) + "]");
        range = SectionRange {lines.size() - 1, lines.size()};
    }
    const auto line = FindKey(*range, key);
    if (!value) {
        if (line)
            lines.erase(lines.begin() + static_cast<long>(*line));
    } else if (line) {
        lines[*line] = std::string(key) + "=" + value;
    } else {
        // After the section's last non-blank line, so blank separators stay between sections.
        std::size_t insertAt = range->end;
        while (insertAt > range->header + 1 && IniDocument::Trimmed(lines[insertAt - 1]).empty())
            --insertAt;
        lines.insert(lines.begin() + static_cast<long>(insertAt), std::string(key) + "=" + value);
    }
}

void IniDocument::RemoveSection(const char* section)
{
    if (const auto range = FindSection(section))
        lines.erase(lines.begin() + static_cast<long>(range->header), lines.begin() + static_cast<long>(range->end));
}

std::string IniDocument::Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool IniDocument::Save(const std::string& path) const
{
    const char* end = crlf ? "\r\n" : "\n";
    std::string text;
    for (const auto& line : lines)
        text += line + end;
    return ReplaceFileContents(path.c_str(), text.data(), text.size());
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(const char* section) const
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionOf(lines[end]))
            ++end;
        return SectionRange {i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const SectionRange& range, const char* key) const
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto entry = EntryOf(lines[i]);
        if (entry && SameName(entry->first, key))
            return i;
    }
    return std::nullopt;
}
