#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vestrune-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::string& content) const
{
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void ScratchFolder::WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    Write(name, std::string(bytes.begin(), bytes.end()));
}

std::string ScratchFolder::Read(const std::string& name) const
{
    std::ifstream file(path_ / name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

bool ScratchFolder::Exists(const std::string& name) const
{
    return std::filesystem::exists(path_ / name);
}
