#include "platform/music/ComRuntime.h"

#include "platform/music/MusicLoader.h"
#include "platform/music/MusicPerformance.h"

namespace {

int initialisations = 0;

} // namespace

HRESULT CoInitialize(void*)
{
    return initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (initialisations > 0)
        --initialisations;
}

HRESULT CoCreateInstance(REFCLSID classId, void*, DWORD, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (initialisations == 0)
        return CO_E_NOTINITIALIZED;
    if (classId == CLSID_DirectMusicLoader && iid == IID_IDirectMusicLoader8) {
        *object = new IDirectMusicLoader8;
        return S_OK;
    }
    if (classId == CLSID_DirectMusicPerformance && iid == IID_IDirectMusicPerformance8) {
        *object = new IDirectMusicPerformance8;
        return S_OK;
    }
    if (classId == CLSID_DirectMusicLoader || classId == CLSID_DirectMusicPerformance)
        return E_NOINTERFACE;
    return REGDB_E_CLASSNOTREG;
}
