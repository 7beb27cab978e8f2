#include "engine/files/FileSystem.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "engine/helpers/StringHelpers.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/GameSettings.h"
#include "platform/win/WinFiles.h"

CFileSystem fileSystem;

namespace {

// Objects handles are 1000 + index and must stay below the World handles.
constexpr int OBJECTS_ENTRY_LIMIT = FILE_MODE_WORLD - FILE_MODE_OBJECTS;
constexpr int HANDLE_RANGE = 1000;

void LogLine(const std::string& line)
{
    DebugOutStr("%s", line.c_str());
}

// The pack whose entries open in this mode, or -1.
int PackOfMode(int mode)
{
    for (int pack = 0; pack < PACK_COUNT; ++pack)
        if (PACK_FILES[pack].openMode == mode)
            return pack;
    return -1;
}

bool IsLineEnd(std::uint8_t c)
{
    return c == '\n' || c == '\r';
}

} // namespace

void CFileSystem::Init()
{
    Release();
    packsOff = FileManager == 0 ? 1 : 0;
    if (packsOff)
        return;
    for (int pack = 0; pack < PACK_COUNT; ++pack)
        LoadPack(static_cast<PackId>(pack));
}

void CFileSystem::LoadPack(PackId pack)
{
    const PackFiles& files = PACK_FILES[pack];
    PackIndex index;
    if (!LoadPackIndex(files.index, files.data, index)) {
        LogLine(std::string("Pack ") + files.index + " or " + files.data + " missing: the pack is empty");
        return;
    }
    for (const std::string& problem : index.problems)
        LogLine(std::string("Pack index ") + files.index + ": " + problem + ", left out");
    if (pack == PACK_OBJECTS && index.records.size() > static_cast<std::size_t>(OBJECTS_ENTRY_LIMIT)) {
        LogLine(std::string("Pack index ") + files.index + ": entries after the first " +
                std::to_string(OBJECTS_ENTRY_LIMIT) + " left out");
        index.records.resize(OBJECTS_ENTRY_LIMIT);
    }

    std::FILE* data = nullptr;
    if (files.dataShifted && !(data = std::fopen(files.data, "rb"))) {
        LogLine(std::string("Pack ") + files.data + " does not open: the pack is empty");
        return;
    }
    PackEntry* table = new PackEntry[index.records.size()]();
    int kept = 0;
    for (const PackRecord& record : index.records) {
        PackEntry& entry = table[kept];
        std::memcpy(entry.name, record.name.c_str(), record.name.size() + 1);
        entry.size = record.size;
        entry.offset = record.offset;
        if (data) {
            entry.data = new std::uint8_t[record.size];
            if (!ReadPackRecord(data, record, entry.data)) {
                LogLine(std::string("Pack ") + files.data + ": \"" + record.name + "\" cannot be read, left out");
                delete[] entry.data;
                entry = PackEntry {};
                continue;
            }
            ShiftPackBytes({entry.data, static_cast<std::size_t>(record.size)});
        }
        ++kept;
    }
    if (data)
        std::fclose(data);
    entries[pack] = table;
    entryCount[pack] = kept;
}

void CFileSystem::Release()
{
    for (int pack = 0; pack < PACK_COUNT; ++pack) {
        if (!entries[pack])
            continue;
        for (int i = 0; i < entryCount[pack]; ++i)
            delete[] entries[pack][i].data;
        delete[] entries[pack];
        entries[pack] = nullptr;
        entryCount[pack] = 0;
    }
    for (std::FILE*& slot : slots) {
        if (slot)
            std::fclose(slot);
        slot = nullptr;
    }
}

int CFileSystem::FreeSlot() const
{
    for (int slot = 0; slot < FILE_SLOTS; ++slot)
        if (!slots[slot])
            return slot;
    return -1;
}

int CFileSystem::OpenInSlot(int slot, const char* name, int* size)
{
    if (slot < 0 || !name)
        return -1;
    // Only regular files whose length fits the size out: a FIFO or a device would block or
    // never end.
    const RegularFile file = OpenRegularFile(name, std::numeric_limits<int>::max());
    if (file.descriptor < 0)
        return -1;
    std::FILE* stream = ::fdopen(file.descriptor, "rb");
    if (!stream) {
        ::close(file.descriptor);
        return -1;
    }
    slots[slot] = stream;
    if (size)
        *size = static_cast<int>(file.info.st_size);
    return slot;
}

int CFileSystem::OpenPackEntry(PackId pack, const char* name, int slot, int* size)
{
    const PackEntry* table = entries[pack];
    for (int i = 0; i < entryCount[pack]; ++i) {
        if (!StrEqual(table[i].name, name))
            continue;
        if (pack == PACK_OBJECTS) {
            if (size)
                *size = table[i].size;
            return FILE_MODE_OBJECTS + i;
        }
        if (slot < 0)
            return -1;
        std::FILE* stream = std::fopen(PACK_FILES[pack].data, "rb");
        if (!stream)
            return -1;
        if (std::fseek(stream, table[i].offset, SEEK_SET) != 0) {
            std::fclose(stream);
            return -1;
        }
        slots[slot] = stream;
        if (size)
            *size = table[i].size;
        return PACK_FILES[pack].openMode + slot;
    }
    return -1;
}

int CFileSystem::Open(const char* name, int mode, int* size)
{
    if (!name)
        return -1;
    const int slot = FreeSlot();
    if (mode == FILE_MODE_TEXT || mode == FILE_MODE_BINARY)
        return OpenInSlot(slot, name, size);
    const int pack = PackOfMode(mode);
    if (pack < 0)
        return -1;
    if (packsOff)
        return OpenInSlot(slot, name, size);
    return OpenPackEntry(static_cast<PackId>(pack), name, slot, size);
}

int CFileSystem::OpenForWrite(const char* name, int mode)
{
    if (mode != FILE_MODE_TEXT && mode != FILE_MODE_BINARY)
        return -1;
    const int slot = FreeSlot();
    if (slot < 0 || !name)
        return -1;
    std::FILE* stream = std::fopen(NativePath(name).c_str(), mode == FILE_MODE_BINARY ? "wb" : "w");
    if (!stream)
        return -1;
    slots[slot] = stream;
    return slot;
}

std::FILE* CFileSystem::Stream(int handle) const
{
    if (handle >= 0 && handle < FILE_SLOTS)
        return slots[handle];
    if (handle >= FILE_MODE_WORLD && handle < FILE_MODE_SD + HANDLE_RANGE && handle % HANDLE_RANGE < FILE_SLOTS)
        return slots[handle % HANDLE_RANGE];
    return nullptr;
}

PackEntry* CFileSystem::ObjectsEntry(int handle) const
{
    const int index = handle - FILE_MODE_OBJECTS;
    if (index < 0 || index >= entryCount[PACK_OBJECTS])
        return nullptr;
    return &entries[PACK_OBJECTS][index];
}

void CFileSystem::Close(int handle)
{
    if (PackEntry* entry = ObjectsEntry(handle)) {
        entry->cursor = 0;
        return;
    }
    if (std::FILE* stream = Stream(handle)) {
        std::fclose(stream);
        slots[handle % HANDLE_RANGE] = nullptr;
    }
}

void CFileSystem::ReadLineFromEntry(char* buffer, int length, PackEntry& entry)
{
    const int available = std::max(entry.size - entry.cursor, 0);
    const int reach = std::min(length - 1, available);
    const std::uint8_t* start = entry.data + entry.cursor;
    const std::uint8_t* end = std::find_if(start, start + reach, IsLineEnd);
    const int taken = static_cast<int>(end - start);
    std::memcpy(buffer, start, taken);
    buffer[taken] = '\0';
    entry.cursor += taken;
    if (taken == reach)
        return;  // no line end within reach: the next read continues on this line
    ++entry.cursor;
    if (entry.cursor < entry.size && IsLineEnd(entry.data[entry.cursor]))
        ++entry.cursor;  // CR LF, LF CR and LF LF are one line end
}

void CFileSystem::ReadLine(char* buffer, int length, int handle)
{
    if (!buffer || length <= 0)
        return;
    if (PackEntry* entry = ObjectsEntry(handle)) {
        ReadLineFromEntry(buffer, length, *entry);
        return;
    }
    std::FILE* stream = handle < FILE_SLOTS ? Stream(handle) : nullptr;
    if (!stream)
        return;
    if (!std::fgets(buffer, length, stream)) {
        buffer[0] = '\0';
        return;
    }
    // The line end, as text mode reads it: LF, or CR LF.
    std::size_t taken = std::strlen(buffer);
    if (taken > 0 && buffer[taken - 1] == '\n') {
        buffer[--taken] = '\0';
        if (taken > 0 && buffer[taken - 1] == '\r')
            buffer[--taken] = '\0';
    }
}

int CFileSystem::Read(void* buffer, int elementSize, int count, int handle)
{
    std::FILE* stream = Stream(handle);
    if (!stream || !buffer || elementSize <= 0 || count <= 0)
        return 0;
    return static_cast<int>(std::fread(buffer, static_cast<std::size_t>(elementSize), static_cast<std::size_t>(count),
                                       stream));
}

int CFileSystem::Write(const void* buffer, int elementSize, int count, int handle)
{
    std::FILE* stream = handle < FILE_SLOTS ? Stream(handle) : nullptr;
    if (!stream || !buffer || elementSize <= 0 || count <= 0)
        return 0;
    return static_cast<int>(std::fwrite(buffer, static_cast<std::size_t>(elementSize),
                                        static_cast<std::size_t>(count), stream));
}

int CFileSystem::GetSize(int handle)
{
    std::FILE* stream = handle < FILE_SLOTS ? Stream(handle) : nullptr;
    if (!stream)
        return 0;
    const long position = std::ftell(stream);
    std::fseek(stream, 0, SEEK_END);
    const long length = std::ftell(stream);
    std::fseek(stream, position, SEEK_SET);
    return static_cast<int>(std::max(length, 0L));
}

int CFileSystem::CreateFolder(const char* path)
{
    return CreateDirectoryA(path, nullptr);
}
