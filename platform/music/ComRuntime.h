#pragma once
// The component runtime as the game uses it: initialisation and in-process creation of the
// DirectMusic loader and performance.
#include "platform/music/MusicTypes.h"

// S_OK on the first call, S_FALSE on nested ones.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID classId, void* outer, DWORD context, REFIID iid, void** object);
