#pragma once
// A fresh working folder for one test: the process changes into it for the test and back after.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/shell/GameSettings.h"
#include "tools/makedata/PackWriter.h"

class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "vestrune-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::filesystem::current_path(folder);
        std::filesystem::create_directory("Data");
        FileManager = 1;
    }

    void TearDown() override
    {
        fileSystem.Release();
        FileManager = 0;
        GameSettings[SLOT_DEBUG_LOG] = 0;
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    static std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

    static void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
    {
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static std::string ReadText(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    // Writes a pack's index and data file through the data builder's pack writer.
    static void WritePack(PackId pack, const std::vector<std::pair<std::string, std::string>>& entries)
    {
        PackBuilder builder(PACK_FILES[pack].dataShifted);
        for (const auto& [name, text] : entries)
            builder.Add(name, Bytes(text));
        WriteFile(PACK_FILES[pack].index, builder.Index());
        WriteFile(PACK_FILES[pack].data, builder.Data());
    }

    // Reads count lines of at most length-1 characters from the handle.
    static std::vector<std::string> ReadLines(int handle, int length, int count)
    {
        std::vector<std::string> lines;
        std::vector<char> buffer(static_cast<std::size_t>(length), 'x');
        for (int i = 0; i < count; ++i) {
            fileSystem.ReadLine(buffer.data(), length, handle);
            lines.emplace_back(buffer.data());
        }
        return lines;
    }

    std::filesystem::path previous;
    std::filesystem::path folder;
};
