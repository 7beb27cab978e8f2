#pragma once
// An INI file's lines, read and edited in memory with the rules of the profile functions
// (WinProfile.h) and written back whole in one replace, so that several changes reach the file
// together or not at all.
#include <optional>
#include <string>
#include <vector>

class IniDocument {
public:
    // The file's lines (native path); an empty document when there is no such file, nullopt
    // when the file is there but cannot be read (writing it would lose its lines).
    static std::optional<IniDocument> Load(const std::string& path);

    // The trimmed value, unquoted; nullopt when the section or key is missing.
    std::optional<std::string> Value(const char* section, const char* key) const;
    // Sets key=value, adding the section at the end and the key after the section's last
    // non-blank line when missing; a null value removes the key.
    void SetValue(const char* section, const char* key, const char* value);
    void RemoveSection(const char* section);

    // Replaces the file's whole content (FileReplace.h), keeping its line ends.
    bool Save(const std::string& path) const;

    // The text without the blanks and line ends around it, as names and values are read.
    static std::string Trimmed(const std::string& text);

private:
    struct SectionRange {
        std::size_t header; // the "[name]" line
        std::size_t end;    // one past the section's last line
    };
    std::optional<SectionRange> FindSection(const char* section) const;
    std::optional<std::size_t> FindKey(const SectionRange& range, const char* key) const;

    std::vector<std::string> lines;
    bool crlf = false;
};
