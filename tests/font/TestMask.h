#pragma once
// A font mask drawn cell by cell for the tests: everything border (0xFF) but the cells.
#include <cstddef>
#include <cstdint>
#include <vector>

struct TestMask {
    explicit TestMask(std::size_t side) : side(side), bytes(side * side, 0xFF) {}

    void Cell(std::size_t left, std::size_t top, std::size_t width, std::size_t height, std::uint8_t value = 0)
    {
        for (std::size_t y = top; y < top + height; ++y)
            for (std::size_t x = left; x < left + width; ++x)
                bytes[y * side + x] = value;
    }

    std::size_t side;
    std::vector<std::uint8_t> bytes;
};
