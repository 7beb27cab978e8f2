#include "world/objects/ObjectManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/helpers/VectorHelpers.h"
#include "engine/shell/GameTimer.h"
#include "world/shadows/ObjectShadow.h"
#include "world/track/Platform.h"

namespace {

constexpr float SORT_INTERVAL = 1.0f;  // game seconds between draw-order passes
constexpr float SORT_TIMER_START = 10.0f; // the first update after a clear sorts at once
constexpr int SORTED_TYPES = GTYPE_PLATFORM | GTYPE_STRUCTURE;

// Location vector lines: x in columns 33-40, y in 42-49, z from column 51 (at most 98 characters).
float Field(const char* line, std::size_t column, std::size_t width)
{
    const std::size_t length = std::strlen(line);
    if (column >= length)
        return 0.0f;
    return std::strtof(std::string(line + column, std::min(width, length - column)).c_str(), nullptr);
}

D3DXVECTOR3 ReadVectorLine(int handle)
{
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line);
    return D3DXVECTOR3(Field(line, 32, 8), Field(line, 41, 8), Field(line, 50, 98));
}

bool IsSorted(const CSceneObject* object) { return (object->objectType & SORTED_TYPES) != 0; }

void TakeOut(CSceneObject** table, int count, const CSceneObject* object)
{
    for (int i = 0; i < count; ++i)
        if (table[i] == object) {
            std::memmove(&table[i], &table[i + 1], sizeof(table[0]) * static_cast<std::size_t>(count - i - 1));
            table[count - 1] = nullptr;
            return;
        }
}

int IndexOf(CSceneObject* const* table, int count, const CSceneObject* object)
{
    for (int i = 0; i < count; ++i)
        if (table[i] == object)
            return i;
    return -1;
}

} // namespace

CObjectManager::CObjectManager() : objects {}, drawOrder {}, count(0), sortTimer(SORT_TIMER_START) {}

int CObjectManager::Init()
{
    std::memset(objects, 0, sizeof(objects));
    std::memset(drawOrder, 0, sizeof(drawOrder));
    count = 0;
    sortTimer = SORT_TIMER_START;
    return 1;
}

void CObjectManager::Clear()
{
    for (int i = 0; i < count; ++i) {
        CSceneObject::Destroy(objects[i]);
        objects[i] = nullptr;
    }
    std::memset(drawOrder, 0, sizeof(drawOrder));
    count = 0;
    sortTimer = SORT_TIMER_START;
}

void CObjectManager::Release() { Clear(); }

bool CObjectManager::Append(CSceneObject* object)
{
    if (count >= OBJECT_MANAGER_CAPACITY)
        return false;
    objects[count] = object;
    drawOrder[count] = object;
    ++count;
    return true;
}

CSceneObject* CObjectManager::AddObject(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                                        const D3DXVECTOR3& up, int seed)
{
    if (count >= OBJECT_MANAGER_CAPACITY)
        return nullptr;
    auto* object = new CSceneObject();
    object->Load(file, seed);
    object->SetTransform(position, target, up);
    Append(object);
    return object;
}

CPlatform* CObjectManager::AddPlatform(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                                       const D3DXVECTOR3& up, int seed)
{
    if (count >= OBJECT_MANAGER_CAPACITY)
        return nullptr;
    auto* piece = new CPlatform();
    piece->Load(file, seed);
    piece->SetTransform(position, target, up);
    Append(piece);
    return piece;
}

void CObjectManager::RemoveObject(CSceneObject* object)
{
    if (IndexOf(objects, count, object) < 0)
        return;
    RemoveEntry(object);
    CSceneObject::Destroy(object);
}

void CObjectManager::AddEntry(CSceneObject* object) { Append(object); }

void CObjectManager::RemoveEntry(CSceneObject* object)
{
    if (IndexOf(objects, count, object) < 0)
        return;
    TakeOut(objects, count, object);
    TakeOut(drawOrder, count, object);
    --count;
}

void CObjectManager::LoadLocationObjects(int handle)
{
    Clear();
    char line[DESCRIPTION_LINE_SIZE];
    ReadDescriptionLine(handle, line); // the free line after the lighting block
    for (;;) {
        ReadDescriptionLine(handle, line);
        // The end mark, or the end of the data in a list that lacks it.
        if (IsDescriptionEnd(line) || line[0] == '\0')
            return;
        const std::string file(DescriptionValue(line));
        const D3DXVECTOR3 position = ReadVectorLine(handle);
        const D3DXVECTOR3 target = ReadVectorLine(handle);
        D3DXVECTOR3 up;
        Vec3Normalize(up, ReadVectorLine(handle));
        ReadDescriptionLine(handle, line);
        AddObject(file.c_str(), position, target, up, -1);
    }
}

void CObjectManager::Update()
{
    for (int i = 0; i < count; ++i)
        objects[i]->Update();
    sortTimer += gameTimer.gameStep;
    if (sortTimer > SORT_INTERVAL) {
        sortTimer = 0.0f;
        if (count > 0)
            SortDrawOrder();
    }
}

void CObjectManager::SortNow()
{
    sortTimer = 0.0f;
    SortDrawOrder();
}

void CObjectManager::SortDrawOrder()
{
    for (int i = 0; i < count; ++i) {
        if (!IsSorted(drawOrder[i]))
            continue;
        for (int j = i + 1; j < count; ++j)
            if (IsSorted(drawOrder[i]) && drawOrder[i]->cameraDistance > drawOrder[j]->cameraDistance)
                std::swap(drawOrder[i], drawOrder[j]);
    }
}

CSceneObject* CObjectManager::PassObject(int index, int mask) const
{
    return (mask & SORTED_TYPES) ? drawOrder[index] : objects[index];
}

void CObjectManager::RenderPass(int mask)
{
    for (int i = 0; i < count; ++i)
        if (CSceneObject* object = PassObject(i, mask); mask & object->objectType)
            object->Draw();
}

void CObjectManager::RenderEffectsPass(int mask)
{
    for (int i = 0; i < count; ++i)
        if (CSceneObject* object = PassObject(i, mask); mask & object->objectType)
            object->DrawEffects();
}

void CObjectManager::RenderTransparentPass(int mask)
{
    for (int i = 0; i < count; ++i)
        if (CSceneObject* object = PassObject(i, mask); mask & object->objectType)
            object->DrawTransparent();
}

void CObjectManager::RenderShadowPass()
{
    for (int i = 0; i < count; ++i)
        if (CObjectShadow* shadow = objects[i]->components.shadow.get())
            shadow->Draw();
}

CSceneObject* CObjectManager::FindObject(int type) const
{
    for (int i = 0; i < count; ++i)
        if (objects[i]->objectType == type)
            return objects[i];
    return nullptr;
}
