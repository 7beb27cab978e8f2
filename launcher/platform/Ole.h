#pragma once
// Component objects and in-place embedding: the COM and OLE declarations the launcher uses.

#include "launcher/platform/WinTypes.h"

struct GUID {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.data4[i] != b.data4[i]) return false;
  return true;
}

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IOleObject = {0x00000112, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IOleClientSite = {0x00000118, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IOleInPlaceSite = {0x00000119, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IWebBrowser2 = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
inline constexpr CLSID CLSID_WebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

// Strings and variants
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

using VARTYPE = std::uint16_t;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_BSTR = 8;

// A variant that is empty or holds a string.
struct VARIANT {
  VARTYPE vt;
  WORD reserved1, reserved2, reserved3;
  BSTR bstrVal;
};

BSTR SysAllocString(LPCOLESTR text);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
void VariantInit(VARIANT* variant);
HRESULT VariantClear(VARIANT* variant);

inline constexpr UINT CP_ACP = 0;
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int textLength, LPWSTR wide, int wideLength);

// Interfaces
struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct IStream;
struct IEnumSTATSTG;
struct STATSTG;
struct FILETIME {
  DWORD lowDateTime;
  DWORD highDateTime;
};
using SNB = OLECHAR**;

struct IStorage : IUnknown {
  virtual HRESULT CreateStream(LPCOLESTR name, DWORD mode, DWORD reserved1, DWORD reserved2, IStream** stream) = 0;
  virtual HRESULT OpenStream(LPCOLESTR name, void* reserved1, DWORD mode, DWORD reserved2, IStream** stream) = 0;
  virtual HRESULT CreateStorage(LPCOLESTR name, DWORD mode, DWORD reserved1, DWORD reserved2, IStorage** storage) = 0;
  virtual HRESULT OpenStorage(LPCOLESTR name, IStorage* priority, DWORD mode, SNB exclude, DWORD reserved, IStorage** storage) = 0;
  virtual HRESULT CopyTo(DWORD excludeCount, const IID* exclude, SNB excludeNames, IStorage* destination) = 0;
  virtual HRESULT MoveElementTo(LPCOLESTR name, IStorage* destination, LPCOLESTR newName, DWORD flags) = 0;
  virtual HRESULT Commit(DWORD flags) = 0;
  virtual HRESULT Revert() = 0;
  virtual HRESULT EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3, IEnumSTATSTG** elements) = 0;
  virtual HRESULT DestroyElement(LPCOLESTR name) = 0;
  virtual HRESULT RenameElement(LPCOLESTR oldName, LPCOLESTR newName) = 0;
  virtual HRESULT SetElementTimes(LPCOLESTR name, const FILETIME* created, const FILETIME* accessed, const FILETIME* modified) = 0;
  virtual HRESULT SetClass(REFCLSID clsid) = 0;
  virtual HRESULT SetStateBits(DWORD stateBits, DWORD mask) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;

 protected:
  ~IStorage() = default;
};

struct IMoniker;
struct IOleContainer;

struct IOleClientSite : IUnknown {
  virtual HRESULT SaveObject() = 0;
  virtual HRESULT GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) = 0;
  virtual HRESULT GetContainer(IOleContainer** container) = 0;
  virtual HRESULT ShowObject() = 0;
  virtual HRESULT OnShowWindow(BOOL show) = 0;
  virtual HRESULT RequestNewObjectLayout() = 0;

 protected:
  ~IOleClientSite() = default;
};

struct IOleWindow : IUnknown {
  virtual HRESULT GetWindow(HWND* window) = 0;
  virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;

 protected:
  ~IOleWindow() = default;
};

struct IOleInPlaceActiveObject;
struct BORDERWIDTHS {
  LONG left, top, right, bottom;
};
struct OLEMENUGROUPWIDTHS {
  LONG width[6];
};
using HOLEMENU = void*;

struct IOleInPlaceUIWindow : IOleWindow {
  virtual HRESULT GetBorder(LPRECT border) = 0;
  virtual HRESULT RequestBorderSpace(const BORDERWIDTHS* widths) = 0;
  virtual HRESULT SetBorderSpace(const BORDERWIDTHS* widths) = 0;
  virtual HRESULT SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR objectName) = 0;

 protected:
  ~IOleInPlaceUIWindow() = default;
};

struct IOleInPlaceFrame : IOleInPlaceUIWindow {
  virtual HRESULT InsertMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths) = 0;
  virtual HRESULT SetMenu(HMENU shared, HOLEMENU oleMenu, HWND activeObject) = 0;
  virtual HRESULT RemoveMenus(HMENU shared) = 0;
  virtual HRESULT SetStatusText(LPCOLESTR statusText) = 0;
  virtual HRESULT EnableModeless(BOOL enable) = 0;
  virtual HRESULT TranslateAccelerator(LPMSG message, WORD id) = 0;

 protected:
  ~IOleInPlaceFrame() = default;
};

struct OLEINPLACEFRAMEINFO {
  UINT cb;
  BOOL fMDIApp;
  HWND hwndFrame;
  HACCEL haccel;
  UINT cAccelEntries;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

struct IOleInPlaceSite : IOleWindow {
  virtual HRESULT CanInPlaceActivate() = 0;
  virtual HRESULT OnInPlaceActivate() = 0;
  virtual HRESULT OnUIActivate() = 0;
  virtual HRESULT GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                   LPRECT clip, OLEINPLACEFRAMEINFO* frameInfo) = 0;
  virtual HRESULT Scroll(SIZE extent) = 0;
  virtual HRESULT OnUIDeactivate(BOOL undoable) = 0;
  virtual HRESULT OnInPlaceDeactivate() = 0;
  virtual HRESULT DiscardUndoState() = 0;
  virtual HRESULT DeactivateAndUndo() = 0;
  virtual HRESULT OnPosRectChange(LPCRECT position) = 0;

 protected:
  ~IOleInPlaceSite() = default;
};

// The embedded object: only the operations a container calls on the web browser.
inline constexpr DWORD OLERENDER_DRAW = 1;
inline constexpr LONG OLEIVERB_SHOW = -1;
inline constexpr DWORD OLECLOSE_NOSAVE = 1;

struct IOleObject : IUnknown {
  virtual HRESULT SetHostNames(LPCOLESTR containerApp, LPCOLESTR containerObject) = 0;
  virtual HRESULT Close(DWORD saveOption) = 0;
  virtual HRESULT DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                         LPCRECT position) = 0;

 protected:
  ~IOleObject() = default;
};

// The web browser's navigation: position setters and Navigate2.
struct IWebBrowser2 : IUnknown {
  virtual HRESULT put_Left(LONG left) = 0;
  virtual HRESULT put_Top(LONG top) = 0;
  virtual HRESULT put_Width(LONG width) = 0;
  virtual HRESULT put_Height(LONG height) = 0;
  virtual HRESULT Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                            VARIANT* headers) = 0;

 protected:
  ~IWebBrowser2() = default;
};

struct FORMATETC;

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT OleInitialize(LPVOID reserved);
void OleUninitialize();
HRESULT OleCreate(REFCLSID clsid, REFIID riid, DWORD renderOption, FORMATETC* format, IOleClientSite* clientSite,
                  IStorage* storage, LPVOID* object);
HRESULT OleSetContainedObject(IUnknown* object, BOOL contained);
