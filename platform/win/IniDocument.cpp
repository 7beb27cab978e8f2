#include "platform/win/IniDocument.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/win/FileReplace.h"
#include "platform/win/WinFiles.h"

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

bool SameName(std::string_view a, const char* b)
{
    const std::string_view other(b);
    return a.size() == other.size() && strncasecmp(a.data(), b, a.size()) == 0;
}

// The section named by a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] != '[') // most lines, told at their first character
        return std::nullopt;
    const std::string_view text = IniDocument::Trimmed(line);
    if (text.size() < 2)
        return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return IniDocument::Trimmed(text.substr(1, close - 1));
}

// Key and value of a "key=value" line.
std::optional<std::pair<std::string_view, std::string_view>> EntryOf(std::string_view line)
{
    const std::string_view text = IniDocument::Trimmed(line);
    if (text.empty() || text.front() == ';')
        return std::nullopt;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(IniDocument::Trimmed(text.substr(0, equals)), IniDocument::Trimmed(text.substr(equals + 1)));
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The whole content of a file OpenRegularFile opened; false on a read error or when the file
// grew past the limit while it was read.
bool ReadAll(int descriptor, std::uint64_t expected, std::string& content)
{
    content.resize(static_cast<std::size_t>(std::min(expected, IniDocument::SIZE_LIMIT)) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (content.size() > IniDocument::SIZE_LIMIT)
                return false;
            content.resize(std::min<std::size_t>(content.size() * 2, IniDocument::SIZE_LIMIT + 1));
        }
        const ssize_t got = ::read(descriptor, content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    return true;
}

} // namespace

std::optional<IniDocument> IniDocument::Load(const std::string& path, std::string* problem)
{
    IniDocument ini;
    const RegularFile file = OpenRegularFile(path.c_str(), SIZE_LIMIT);
    if (file.failure == RegularFile::MISSING)
        return ini;
    std::string content;
    const bool read = file.descriptor >= 0 && ReadAll(file.descriptor, static_cast<std::uint64_t>(file.info.st_size), content);
    if (file.descriptor >= 0)
        ::close(file.descriptor);
    if (!read) {
        if (problem)
            *problem = file.failure != RegularFile::NONE ? DescribeFailure(file.failure) : "cannot be read";
        return std::nullopt;
    }
    std::string_view text = content;
    if (text.starts_with(BYTE_ORDER_MARK)) {
        text.remove_prefix(BYTE_ORDER_MARK.size());
        ini.byteOrderMark = true;
    }
    ini.SplitLines(text);
    return ini;
}

void IniDocument::SplitLines(std::string_view text)
{
    bool firstEnd = true;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        const std::size_t endLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        if (firstEnd)
            lineEnd = text.substr(end, endLength);
        firstEnd = false;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + endLength);
    }
}

std::optional<std::string> IniDocument::Value(const char* section, const char* key) const
{
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    const auto line = FindKey(*range, key);
    if (!line)
        return std::nullopt;
    return std::string(Unquote(EntryOf(lines[*line])->second));
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

std::string_view IniDocument::Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool IniDocument::Save(const std::string& path) const
{
    std::string text(byteOrderMark ? BYTE_ORDER_MARK : "");
    for (const auto& line : lines)
        text.append(line).append(lineEnd);
    return ReplaceFileContents(path.c_str(), text.data(), text.size(), LinkWrite::WRITE_THROUGH);
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
