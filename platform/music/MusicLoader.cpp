#include "platform/music/MusicLoader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/win/WinFiles.h"

namespace {

bool IsSegmentRequest(REFGUID objectClass, REFIID iid)
{
    return objectClass == CLSID_DirectMusicSegment && iid == IID_IDirectMusicSegment8;
}

} // namespace

IDirectMusicLoader8::~IDirectMusicLoader8()
{
    ClearCache(GUID_DirectMusicAllTypes);
}

HRESULT IDirectMusicLoader8::SetSearchDirectory(REFGUID, const WCHAR* path, BOOL)
{
    if (!path)
        return E_POINTER;
    searchDirectory = NativePath(NarrowText(path).c_str());
    return S_OK;
}

HRESULT IDirectMusicLoader8::LoadObjectFromFile(REFGUID objectClass, REFIID iid, const WCHAR* fileName, void** object)
{
    if (!object || !fileName)
        return E_POINTER;
    *object = nullptr;
    if (!IsSegmentRequest(objectClass, iid))
        return DMUS_E_LOADER_NOCLASSID;
    return LoadFile(fileName, object);
}

HRESULT IDirectMusicLoader8::GetObject(DMUS_OBJECTDESC* description, REFIID iid, void** object)
{
    if (!object || !description)
        return E_POINTER;
    *object = nullptr;
    if (!(description->dwValidData & DMUS_OBJ_CLASS) || !IsSegmentRequest(description->guidClass, iid))
        return DMUS_E_LOADER_NOCLASSID;
    if (description->dwValidData & DMUS_OBJ_MEMORY) {
        if (!description->pbMemData || description->llMemLength <= 0)
            return E_INVALIDARG;
        auto wave = DecodeWaveImage(description->pbMemData, static_cast<std::size_t>(description->llMemLength));
        if (!wave)
            return DMUS_E_LOADER_FORMATNOTSUPPORTED;
        auto* segment = new IDirectMusicSegment8(std::move(*wave), std::wstring());
        cache.push_back({std::wstring(), segment});
        return Deliver(segment, object);
    }
    if (description->dwValidData & (DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH))
        return LoadFile(description->wszFileName, object);
    return DMUS_E_LOADER_FAILEDOPEN;
}

HRESULT IDirectMusicLoader8::LoadFile(const std::wstring& fileName, void** object)
{
    const auto cached = std::find_if(cache.begin(), cache.end(),
                                     [&](const CachedSegment& entry) { return entry.fileName == fileName; });
    if (!fileName.empty() && cached != cache.end())
        return Deliver(cached->segment, object);

    std::string path = NativePath(NarrowText(fileName.c_str()).c_str());
    if (!path.empty() && path.front() != '/' && !searchDirectory.empty())
        path = searchDirectory + "/" + path;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return DMUS_E_LOADER_FAILEDOPEN;
    const std::vector<BYTE> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto wave = DecodeWaveImage(image.data(), image.size());
    if (!wave)
        return DMUS_E_LOADER_FORMATNOTSUPPORTED;
    auto* segment = new IDirectMusicSegment8(std::move(*wave), fileName);
    cache.push_back({fileName, segment});
    return Deliver(segment, object);
}

HRESULT IDirectMusicLoader8::Deliver(IDirectMusicSegment8* segment, void** object)
{
    segment->AddRef();
    *object = segment;
    return S_OK;
}

HRESULT IDirectMusicLoader8::ReleaseObjectByUnknown(void* object)
{
    const auto cached = std::find_if(cache.begin(), cache.end(),
                                     [&](const CachedSegment& entry) { return entry.segment == object; });
    if (cached == cache.end())
        return S_FALSE;
    cached->segment->Release();
    cache.erase(cached);
    return S_OK;
}

HRESULT IDirectMusicLoader8::CollectGarbage()
{
    return S_OK;
}

HRESULT IDirectMusicLoader8::ClearCache(REFGUID)
{
    for (CachedSegment& entry : cache)
        entry.segment->Release();
    cache.clear();
    return S_OK;
}
