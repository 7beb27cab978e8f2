#pragma once
// Writes a build output only when its bytes change, so that unchanged files keep their times.
#include <cstdint>
#include <filesystem>
#include <span>

// Creates the parent folders as needed and replaces the file in one step. Returns true when the
// file was written, false when it already held these bytes; throws std::runtime_error on failure.
bool WriteFileIfChanged(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
