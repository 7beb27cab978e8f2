#pragma once
// An INI file's lines, read and edited in memory with the rules of the profile functions
// (WinProfile.h) and written back whole in one replace, so that several changes reach the file
// together or not at all.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
public:
    // The largest file read; a larger one is taken for something that is not settings.
    static constexpr std::uint64_t SIZE_LIMIT = 64u << 20;

    // The file's lines (native path), split at LF, CR LF or a lone CR, without a leading UTF-8
    // byte-order mark; an empty document when there is no such file. Nullopt when the file is
    // there but is not read (not a regular file, larger than SIZE_LIMIT, or unreadable), so that
    // writing it would lose its lines; problem then says why.
    static std::optional<IniDocument> Load(const std::string& path, std::string* problem = nullptr);

    // The trimmed value, unquoted; nullopt when the section or key is missing.
    std::optional<std::string> Value(const char* section, const char* key) const;
    // Sets key=value, adding the section at the end and the key after the section's last
    // non-blank line when missing; a null value removes the key.
    void SetValue(const char* section, const char* key, const char* value);
    void RemoveSection(const char* section);

    // Replaces the file's whole content (FileReplace.h), keeping its line ends and its
    // byte-order mark.
    bool Save(const std::string& path) const;

    // The text without the blanks and line ends around it, as names and values are read.
    static std::string_view Trimmed(std::string_view text);

private:
    struct SectionRange {
        std::size_t header; // the "[name]" line
        std::size_t end;    // one past the section's last line
    };
    std::optional<SectionRange> FindSection(const char* section) const;
    std::optional<std::size_t> FindKey(const SectionRange& range, const char* key) const;

    void SplitLines(std::string_view text);

    std::vector<std::string> lines;
    std::string lineEnd = "\n"; // the file's first line end
    bool byteOrderMark = false;
};
