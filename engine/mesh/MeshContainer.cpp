#include "engine/mesh/MeshContainer.h"

#include <cstdio>
#include <vector>

#include "engine/files/FileSystem.h"
#include "engine/helpers/StringHelpers.h"
#include "engine/render/D3DRender.h"
#include "engine/shell/DebugLog.h"
#include "engine/shell/ErrorBox.h"

CMeshContainer meshContainer;

namespace {

constexpr const char* ERROR_CAPTION = "Mesh error!";

void ShowMeshError(const char* format, const char* name)
{
    char text[256];
    std::snprintf(text, sizeof text, format, name);
    ShowMessage(text, ERROR_CAPTION);
}

// The whole file from the World pack; false when it cannot be opened or read.
bool ReadWholeFile(const char* name, std::vector<std::uint8_t>& bytes, bool& opened)
{
    int size = 0;
    const int handle = fileSystem.Open(name, FILE_MODE_WORLD, &size);
    opened = handle != -1;
    if (!opened)
        return false;
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    const int read = bytes.empty() ? 0 : fileSystem.Read(bytes.data(), 1, size, handle);
    fileSystem.Close(handle);
    return read == static_cast<int>(bytes.size());
}

} // namespace

CMeshContainer::MeshRecord* CMeshContainer::Find(const char* name, int key) const
{
    for (MeshRecord* record = head; record; record = record->next)
        if (record->key == key && StrEqual(record->name, name))
            return record;
    return nullptr;
}

CMeshContainer::MeshRecord* CMeshContainer::Append(const char* name, int key)
{
    auto* record = new MeshRecord;
    MeshRecord** tail = &head;
    while (*tail)
        tail = &(*tail)->next;
    *tail = record;
    record->key = key;
    std::snprintf(record->name, sizeof record->name, "%s", name);
    record->id = idCounter++;
    return record;
}

CMeshContainer::MeshRecord* CMeshContainer::Load(const char* name, int key, DWORD poolFlags)
{
    if (MeshRecord* shared = Find(name, key)) {
        ++shared->referenceCount;
        return shared;
    }
    MeshRecord* record = Append(name, key);
    std::vector<std::uint8_t> bytes;
    bool opened = false;
    if (!ReadWholeFile(name, bytes, opened)) {
        ShowMeshError(opened ? "Read mesh file '%s' error!" : "Open mesh file '%s' error!", name);
        return nullptr;
    }
    MeshFile file;
    if (ReadMeshFile(bytes.data(), bytes.size(), file) != MeshFileStatus::Ok) {
        ShowMeshError("Mesh file '%s' is damaged!", name);
        return nullptr;
    }
    if (!record->Fill(file, d3dRender.device, key, poolFlags)) {
        ShowMeshError("Create mesh '%s' error!", name);
        return nullptr;
    }
    record->BuildCollisionModels();
    return record;
}

void CMeshContainer::Unlink(MeshRecord* record)
{
    for (MeshRecord** link = &head; *link; link = &(*link)->next) {
        if (*link == record) {
            *link = record->next;
            delete record;
            return;
        }
    }
}

void CMeshContainer::ReleaseMesh(MeshRecord* record)
{
    if (!record)
        return;
    if (record->referenceCount == 0) {
        char line[320];
        std::snprintf(line, sizeof line, "Mesh reference counter in use! (ID: %d; Name: %s", record->id, record->name);
        DebugOut(line);
        return;
    }
    if (--record->referenceCount == 0)
        Unlink(record);
}

void CMeshContainer::Release()
{
    DebugOut("\tCMeshContainer::Release() start...");
    while (head) {
        MeshRecord* record = head;
        char line[320];
        std::snprintf(line, sizeof line, "\t\tMesh lost! (ID: %d; REF: %d; Name: %s", record->id, record->referenceCount,
                      record->name);
        DebugOut(line);
        head = record->next;
        delete record;
    }
    DebugOut("\tCMeshContainer::Release() done!");
}
