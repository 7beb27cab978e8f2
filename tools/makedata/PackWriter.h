#pragma once
// Builds one pack's index and data file (format in engine/files/PackIndex.h).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class PackBuilder {
public:
    // dataShifted: store the data bytes + 128 (the Objects pack).
    explicit PackBuilder(bool dataShifted);

    // Appends an entry. Throws std::invalid_argument for a name the index cannot hold (empty,
    // longer than 255 characters, or with a 0 or 128 byte) and std::length_error when the data
    // would outgrow the index's 32-bit offsets.
    void Add(const std::string& name, std::span<const std::uint8_t> bytes);

    int Count() const { return count; }
    std::vector<std::uint8_t> Index() const;
    const std::vector<std::uint8_t>& Data() const { return data; }

private:
    bool dataShifted;
    std::int32_t count = 0;
    std::vector<std::uint8_t> records;
    std::vector<std::uint8_t> data;
};
