#pragma once
// A fresh folder for one test, made the working folder while the test runs.
#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void Write(const std::string& name, const std::string& content) const;
    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
