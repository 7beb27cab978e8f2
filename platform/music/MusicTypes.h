#pragma once
// DirectMusic-style identifiers, constants and descriptions.
#include "platform/sound/SoundTypes.h"
#include "platform/win/WinText.h"

using CLSID = GUID;
using REFCLSID = const CLSID&;
using MUSIC_TIME = LONG;
using REFERENCE_TIME = std::int64_t;

constexpr CLSID CLSID_DirectMusicLoader {0x7e570101, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x4c, 0x44, 0, 0, 0, 1}};
constexpr CLSID CLSID_DirectMusicPerformance {0x7e570102, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x50, 0x46, 0, 0, 0, 1}};
constexpr CLSID CLSID_DirectMusicSegment {0x7e570103, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x53, 0x47, 0, 0, 0, 1}};
constexpr GUID GUID_DirectMusicAllTypes {0x7e570104, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x41, 0x54, 0, 0, 0, 1}};
constexpr GUID GUID_All_Objects {0x7e570105, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x41, 0x4f, 0, 0, 0, 1}};
constexpr IID IID_IDirectMusicLoader8 {0x7e570111, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x4c, 0x44, 0, 0, 0, 8}};
constexpr IID IID_IDirectMusicPerformance8 {0x7e570112, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x50, 0x46, 0, 0, 0, 8}};
constexpr IID IID_IDirectMusicSegment8 {0x7e570113, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x53, 0x47, 0, 0, 0, 8}};
constexpr IID IID_IDirectMusicSegmentState8 {0x7e570114, 0x5a4d, 0x4f01, {0x76, 0x4d, 0x53, 0x53, 0, 0, 0, 8}};

constexpr DWORD CLSCTX_INPROC = 0x3;
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr HRESULT DMUS_S_PARTIALLOAD = 0x08781091;
constexpr HRESULT DMUS_E_LOADER_FAILEDOPEN = static_cast<HRESULT>(0x88781161u);
constexpr HRESULT DMUS_E_LOADER_FORMATNOTSUPPORTED = static_cast<HRESULT>(0x8878116Au);
constexpr HRESULT DMUS_E_LOADER_NOCLASSID = static_cast<HRESULT>(0x88781163u);
constexpr HRESULT DMUS_E_NOT_INIT = static_cast<HRESULT>(0x88781192u);
constexpr HRESULT DMUS_E_NOT_FOUND = static_cast<HRESULT>(0x88781193u);
constexpr HRESULT DMUS_E_ALREADY_INITED = static_cast<HRESULT>(0x88781195u);

// Object description validity flags.
constexpr DWORD DMUS_OBJ_OBJECT = 0x00000001;
constexpr DWORD DMUS_OBJ_CLASS = 0x00000002;
constexpr DWORD DMUS_OBJ_NAME = 0x00000004;
constexpr DWORD DMUS_OBJ_FILENAME = 0x00000010;
constexpr DWORD DMUS_OBJ_FULLPATH = 0x00000020;
constexpr DWORD DMUS_OBJ_MEMORY = 0x00000400;

constexpr DWORD DMUS_MAX_NAME = 64;
constexpr DWORD DMUS_MAX_FILENAME = MAX_PATH;

struct DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidObject;
    GUID guidClass;
    WCHAR wszName[DMUS_MAX_NAME];
    WCHAR wszFileName[DMUS_MAX_FILENAME];
    std::int64_t llMemLength;
    BYTE* pbMemData;
};

// Audio paths.
constexpr DWORD DMUS_APATH_SHARED_STEREOPLUSREVERB = 1;
constexpr DWORD DMUS_APATH_DYNAMIC_3D = 6;
constexpr DWORD DMUS_APATH_DYNAMIC_MONO = 7;
constexpr DWORD DMUS_APATH_DYNAMIC_STEREO = 8;
constexpr DWORD DMUS_PCHANNEL_ALL = 0xFFFFFFFB;
constexpr DWORD DMUS_PATH_BUFFER = 0x6000;

// Audio parameters of InitAudio.
constexpr DWORD DMUS_AUDIOPARAMS_FEATURES = 0x00000001;
constexpr DWORD DMUS_AUDIOPARAMS_VOICES = 0x00000002;
constexpr DWORD DMUS_AUDIOPARAMS_SAMPLERATE = 0x00000004;
constexpr DWORD DMUS_AUDIOPARAMS_DEFAULTSYNTH = 0x00000008;
constexpr DWORD DMUS_AUDIOF_3D = 0x1;
constexpr DWORD DMUS_AUDIOF_ENVIRON = 0x2;
constexpr DWORD DMUS_AUDIOF_EAX = 0x4;
constexpr DWORD DMUS_AUDIOF_DMOS = 0x8;
constexpr DWORD DMUS_AUDIOF_STREAMING = 0x10;
constexpr DWORD DMUS_AUDIOF_BUFFERS = 0x20;
constexpr DWORD DMUS_AUDIOF_ALL = 0x3F;

struct DMUS_AUDIOPARAMS {
    DWORD dwSize;
    BOOL fInitNow;
    DWORD dwValidData;
    DWORD dwFeatures;
    DWORD dwVoices;
    DWORD dwSampleRate;
    CLSID clsidDefaultSynth;
};

// Segment playing flags.
constexpr DWORD DMUS_SEGF_SECONDARY = 0x00000080;
constexpr DWORD DMUS_SEGF_DEFAULT = 0x00004000;
constexpr DWORD DMUS_SEG_REPEAT_INFINITE = 0xFFFFFFFF;
