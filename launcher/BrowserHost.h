#pragma once
// The container that hosts the embedded web browser in a window of the launcher's dialog.

#include "launcher/platform/Ole.h"
#include "launcher/platform/WinUser.h"

// A reference-counted object that handles events.
class CRefCounted {
 public:
  CRefCounted(const CRefCounted&) = delete;
  CRefCounted& operator=(const CRefCounted&) = delete;
  virtual ~CRefCounted() = default;

  // Returns the count before the increment.
  virtual int AddRef();
  // Deletes the object when the count reaches zero and returns 0, else the new count.
  virtual int Release();
  virtual int OnEvent(int event) = 0;

 protected:
  CRefCounted() = default;

 private:
  int references_ = 1;
};

class CBrowserHost final : public CRefCounted {
 public:
  enum Event { kEventEmbedAgain = 1, kEventQuit = 2 };

  static CBrowserHost* Create();

  // Creates the web browser inside the window and navigates it to the portal's start page.
  void Embed(HWND window);
  // Closes the browser without saving and lets it go.
  void CloseBrowser();

  // kEventQuit closes the browser and ends the message loop; kEventEmbedAgain embeds a new
  // browser without a window. Returns 1 for a handled event, else 0.
  int OnEvent(int event) override;

 private:
  CBrowserHost();

  struct Storage final : IStorage {
    HRESULT QueryInterface(REFIID, void** object) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT CreateStream(LPCOLESTR, DWORD, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    HRESULT OpenStream(LPCOLESTR, void*, DWORD, DWORD, IStream**) override { return E_NOTIMPL; }
    HRESULT CreateStorage(LPCOLESTR, DWORD, DWORD, DWORD, IStorage**) override { return E_NOTIMPL; }
    HRESULT OpenStorage(LPCOLESTR, IStorage*, DWORD, SNB, DWORD, IStorage**) override { return E_NOTIMPL; }
    HRESULT CopyTo(DWORD, const IID*, SNB, IStorage*) override { return E_NOTIMPL; }
    HRESULT MoveElementTo(LPCOLESTR, IStorage*, LPCOLESTR, DWORD) override { return E_NOTIMPL; }
    HRESULT Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT Revert() override { return E_NOTIMPL; }
    HRESULT EnumElements(DWORD, void*, DWORD, IEnumSTATSTG**) override { return E_NOTIMPL; }
    HRESULT DestroyElement(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT RenameElement(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT SetElementTimes(LPCOLESTR, const FILETIME*, const FILETIME*, const FILETIME*) override { return E_NOTIMPL; }
    HRESULT SetClass(REFCLSID) override { return S_OK; }
    HRESULT SetStateBits(DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
  };

  struct ClientSite final : IOleClientSite {
    explicit ClientSite(CBrowserHost& owner) : host(owner) {}
    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SaveObject() override { return E_NOTIMPL; }
    HRESULT GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT GetContainer(IOleContainer** container) override;
    HRESULT ShowObject() override { return S_OK; }
    HRESULT OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT RequestNewObjectLayout() override { return E_NOTIMPL; }
    CBrowserHost& host;
  };

  struct InPlaceSite final : IOleInPlaceSite {
    explicit InPlaceSite(CBrowserHost& owner) : host(owner) {}
    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetWindow(HWND* window) override;
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT CanInPlaceActivate() override { return S_OK; }
    HRESULT OnInPlaceActivate() override { return S_OK; }
    HRESULT OnUIActivate() override { return S_OK; }
    HRESULT GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                             OLEINPLACEFRAMEINFO* frameInfo) override;
    HRESULT Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT OnInPlaceDeactivate() override { return S_OK; }
    HRESULT DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT OnPosRectChange(LPCRECT) override { return S_OK; }
    CBrowserHost& host;
  };

  struct InPlaceFrame final : IOleInPlaceFrame {
    explicit InPlaceFrame(CBrowserHost& owner) : host(owner) {}
    HRESULT QueryInterface(REFIID, void** object) override;
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetWindow(HWND* window) override;
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT GetBorder(LPRECT) override { return E_NOTIMPL; }
    HRESULT RequestBorderSpace(const BORDERWIDTHS*) override { return E_NOTIMPL; }
    HRESULT SetBorderSpace(const BORDERWIDTHS*) override { return E_NOTIMPL; }
    HRESULT SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
    HRESULT SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT EnableModeless(BOOL) override { return S_OK; }
    HRESULT TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }
    CBrowserHost& host;
  };

  HWND window_ = nullptr;
  Storage storage_;
  ClientSite clientSite_{*this};
  InPlaceSite inPlaceSite_{*this};
  InPlaceFrame inPlaceFrame_{*this};
  IOleObject* browser_ = nullptr;
};
