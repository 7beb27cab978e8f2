#pragma once
// The four packs and their index format, shared by the file system, the data builder and the
// pack lister.
//
// An index (".hdr") holds one record per entry, packed: the name as bytes of character + 128
// (modulo 256) up to a 0 terminator, then int32 size and int32 offset into the data file
// (".pak"); its last 4 bytes are the int32 entry count. All little-endian. The Objects pack
// stores its data bytes + 128 as well; the other packs store them as they are.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

enum PackId { PACK_OBJECTS, PACK_WORLD, PACK_TEXTURES, PACK_SD, PACK_COUNT };

struct PackFiles {
    const char* index;
    const char* data;
    int openMode;         // the file system's open mode of the pack's entries
    bool dataShifted;     // data bytes stored + 128
};

inline constexpr PackFiles PACK_FILES[PACK_COUNT] = {
    {"Data/Objects.hdr", "Data/Objects.pak", 1000, true},
    {"Data/World.hdr", "Data/World.pak", 4000, false},
    {"Data/Textures.hdr", "Data/Textures.pak", 5000, false},
    {"Data/SD.hdr", "Data/SD.pak", 6000, false},
};

constexpr int PACK_NAME_LIMIT = 255;

// Adding 128 modulo 256 is its own inverse: it encodes and decodes alike.
constexpr std::uint8_t ShiftPackByte(std::uint8_t byte)
{
    return static_cast<std::uint8_t>(byte + 128);
}

void ShiftPackBytes(std::span<std::uint8_t> bytes);

struct PackRecord {
    std::string name;
    std::int32_t size;
    std::int32_t offset;
};

struct PackIndex {
    std::vector<PackRecord> records;   // the sound records, in index order
    std::vector<std::string> problems; // one line per damaged record or part of the index
};

// Decodes index bytes for a data file of dataLength bytes. Reads only as far as the index is
// sound: a record whose name has no terminator within 256 bytes, or which runs past the count,
// ends the reading; a record whose name holds a 0 character, or whose size or offset does not fit
// the data file, is left out.
PackIndex DecodePackIndex(std::span<const std::uint8_t> index, std::uint64_t dataLength);

// Reads both files of a pack and decodes the index against the data file's length. False (and
// an empty index) when either file cannot be read.
bool LoadPackIndex(const char* indexPath, const char* dataPath, PackIndex& index);

// Reads the record's bytes from the open data file into out (record.size bytes); false when the
// file holds fewer.
bool ReadPackRecord(std::FILE* data, const PackRecord& record, std::uint8_t* out);
