#pragma once
// The table of every placed object of the race world, in add order and in draw order (track
// pieces and structures nearest first). It owns the objects, updates them each frame and draws
// them by masks of GTYPE_ values.
#include "world/objects/SceneObject.h"

class CPlatform;

constexpr int OBJECT_MANAGER_CAPACITY = 1024;

class CObjectManager {
public:
    CObjectManager();

    int Init();
    // Releases and deletes every object; both tables empty, the sort timer back to 10 s.
    void Clear();
    void Release();

    // A new object loaded from file and placed; null when the table is full.
    CSceneObject* AddObject(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                            const D3DXVECTOR3& up, int seed);
    CPlatform* AddPlatform(const char* file, const D3DXVECTOR3& position, const D3DXVECTOR3& target,
                           const D3DXVECTOR3& up, int seed);
    // Releases, deletes and takes out an object of the table; nothing for an unknown object.
    void RemoveObject(CSceneObject* object);
    // Append an existing object / take one out, without loading or releasing it.
    void AddEntry(CSceneObject* object);
    void RemoveEntry(CSceneObject* object);

    // Clear, then the location file's object records from the open handle.
    void LoadLocationObjects(int handle);

    void Update();
    // The draw-order pass at once.
    void SortNow();

    void RenderPass(int mask);
    void RenderEffectsPass(int mask);
    void RenderTransparentPass(int mask);
    void RenderShadowPass();

    // The first object in add order of exactly this type, or null.
    CSceneObject* FindObject(int type) const;

    CSceneObject* objects[OBJECT_MANAGER_CAPACITY];   // add order, owned
    CSceneObject* drawOrder[OBJECT_MANAGER_CAPACITY]; // the same objects
    int count;
    float sortTimer;

private:
    bool Append(CSceneObject* object);
    void SortDrawOrder();
    CSceneObject* PassObject(int index, int mask) const;
};

extern CObjectManager objectManager;
