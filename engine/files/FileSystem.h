#pragma once
// One way to read assets, from the four packs under "Data/" or loose on disk, and a thin layer
// over disk files for writing.
//
// Handles: -1 failure (every operation ignores it); 0-127 a disk-file slot; 1000 + i entry i of
// the Objects pack, held in memory; 4000, 5000 and 6000 + s an entry of the World, Textures or SD
// pack, read through disk slot s on the pack's data file.
#include <cstdint>
#include <cstdio>

#include "engine/files/PackIndex.h"

// Open modes.
constexpr int FILE_MODE_TEXT = 0;
constexpr int FILE_MODE_BINARY = 1;
constexpr int FILE_MODE_OBJECTS = 1000;
constexpr int FILE_MODE_WORLD = 4000;
constexpr int FILE_MODE_TEXTURES = 5000;
constexpr int FILE_MODE_SD = 6000;

constexpr int FILE_SLOTS = 128;

struct PackEntry {
    char name[256];
    std::int32_t size;
    std::int32_t offset;
    std::uint8_t* data;   // decoded bytes: Objects pack only, else null
    std::int32_t cursor;  // ReadLine's position in data, shared by every handle to the entry
};

// Zero-initialised global storage; no constructor.
class CFileSystem {
public:
    // Reads the packs' indexes and the Objects pack's data; packs stay off when [Misc]
    // "File manager" is 0. A missing or damaged pack (or part of one) is left out with a line in
    // the debug log.
    void Init();
    // Frees the indexes and data and closes every open slot.
    void Release();

    // Returns a handle or -1; size, when given, receives the entry's or the disk file's length.
    // Modes 0 (text) and 1 (binary) open from disk; 1000, 4000, 5000 and 6000 open a pack entry
    // while packs are on (never falling back to a loose file) and the disk file while they are off.
    // A disk file opens only when it is a regular file (never a FIFO or a device) of at most
    // 2 GB - 1 bytes, its length in the size out.
    int Open(const char* name, int mode, int* size = nullptr);
    // Mode 1 binary, 0 text; a disk handle or -1.
    int OpenForWrite(const char* name, int mode);
    // Closes a slot; an Objects handle rewinds its entry.
    void Close(int handle);

    // One text line without its line end, at most length-1 characters of it; the next read
    // continues on the same line when it was longer. Empty at the end of the data. Serves disk
    // and Objects handles.
    void ReadLine(char* buffer, int length, int handle);
    // As fread, on disk handles and World, Textures and SD handles (not bounded by the entry's
    // size: read at most what Open returned); 0 for others.
    int Read(void* buffer, int elementSize, int count, int handle);
    // As fwrite, on disk handles.
    int Write(const void* buffer, int elementSize, int count, int handle);
    // Length of an open disk file; 0 for pack handles, free slots and -1.
    int GetSize(int handle);
    // Creates the folder; TRUE or FALSE.
    int CreateFolder(const char* path);

private:
    int FreeSlot() const;
    // Reading from disk (text and binary alike on this platform).
    int OpenInSlot(int slot, const char* name, int* size);
    int OpenPackEntry(PackId pack, const char* name, int slot, int* size);
    std::FILE* Stream(int handle) const;
    PackEntry* ObjectsEntry(int handle) const;
    void LoadPack(PackId pack);
    void ReadLineFromEntry(char* buffer, int length, PackEntry& entry);

    std::int32_t entryCount[PACK_COUNT];
    PackEntry* entries[PACK_COUNT];
    int packsOff;
    std::FILE* slots[FILE_SLOTS];
};

extern CFileSystem fileSystem;
