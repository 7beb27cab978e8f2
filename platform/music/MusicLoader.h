#pragma once
// The DirectMusic-style loader for WAV segments: from a file (relative names from the search
// directory) or from a memory image, which it decodes at once, so the image may be freed as
// soon as the call returns. Loaded segments stay in its cache until released from it.
#include <string>
#include <vector>

#include "platform/music/MusicSegment.h"
#include "platform/music/MusicTypes.h"
#include "platform/sound/ComRefCount.h"

class IDirectMusicLoader8 : public ComRefCount<IDirectMusicLoader8> {
public:
    ~IDirectMusicLoader8();

    HRESULT SetSearchDirectory(REFGUID objectClass, const WCHAR* path, BOOL clear);
    HRESULT LoadObjectFromFile(REFGUID objectClass, REFIID iid, const WCHAR* fileName, void** object);
    HRESULT GetObject(DMUS_OBJECTDESC* description, REFIID iid, void** object);
    HRESULT ReleaseObjectByUnknown(void* object);
    HRESULT CollectGarbage();
    HRESULT ClearCache(REFGUID objectClass);

private:
    struct CachedSegment {
        std::wstring fileName;
        IDirectMusicSegment8* segment;
    };

    HRESULT LoadFile(const std::wstring& fileName, void** object);
    HRESULT Deliver(IDirectMusicSegment8* segment, void** object);

    std::string searchDirectory;
    std::vector<CachedSegment> cache;
};
