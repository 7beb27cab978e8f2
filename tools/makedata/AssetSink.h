#pragma once
// Where the data builder's generators put the files they make.
#include <cstdint>
#include <string>
#include <vector>

// The pack a file goes into: the one whose open mode the game reads it with.
enum class Pack {
    Objects,  // mode 1000: object descriptions, location files, other fixed-column text
    World,    // mode 4000
    Textures, // mode 5000
    SD,       // mode 6000: sounds
    Loose,    // read from disk only (mode 0 or 1), never packed
};

class AssetSink {
public:
    virtual ~AssetSink() = default;
    // name: the path the game opens, relative to the working folder, with "/" ("Data/...").
    virtual void Add(const std::string& name, Pack pack, std::vector<std::uint8_t> bytes) = 0;
};
