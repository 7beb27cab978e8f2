// The web browser object: an embeddable object that shows a WebKit view inside its container's
// window and navigates it.

#include "launcher/platform/Apartment.h"
#include "launcher/platform/GtkSession.h"
#include "launcher/platform/Ole.h"
#include "launcher/platform/Window.h"

#include <webkit2/webkit2.h>

namespace {

class WebBrowser final : public IOleObject, public IWebBrowser2 {
 public:
  explicit WebBrowser(IOleClientSite* clientSite) : clientSite_(clientSite) {
    if (clientSite_) clientSite_->AddRef();
    // An ephemeral context: the browser keeps no cache, cookies or other files.
    WebKitWebContext* context = webkit_web_context_new_ephemeral();
    view_ = GTK_WIDGET(g_object_ref_sink(webkit_web_view_new_with_context(context)));
    g_object_unref(context);
  }

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleObject) {
      *object = static_cast<IOleObject*>(this);
    } else if (riid == IID_IWebBrowser2) {
      *object = static_cast<IWebBrowser2*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  ULONG AddRef() override { return ++references_; }

  ULONG Release() override {
    if (--references_ > 0) return references_;
    delete this;
    return 0;
  }

  HRESULT SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }

  HRESULT DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND, LPCRECT) override {
    if (verb != OLEIVERB_SHOW) return E_NOTIMPL;
    if (inPlaceSite_) return S_OK;
    IOleClientSite* site = activeSite ? activeSite : clientSite_;
    return site ? ActivateInPlace(*site) : E_UNEXPECTED;
  }

  HRESULT Close(DWORD) override {
    if (inPlaceSite_) {
      inPlaceSite_->OnUIDeactivate(FALSE);
      inPlaceSite_->OnInPlaceDeactivate();
      inPlaceSite_->Release();
      inPlaceSite_ = nullptr;
    }
    // The container may already be gone with its window; then the view has no parent any more.
    if (GtkWidget* container = gtk_widget_get_parent(view_)) gtk_container_remove(GTK_CONTAINER(container), view_);
    if (clientSite_) {
      clientSite_->Release();
      clientSite_ = nullptr;
    }
    return S_OK;
  }

  HRESULT put_Left(LONG left) override { return Place({left, bounds_.top, left + Width(), bounds_.bottom}); }
  HRESULT put_Top(LONG top) override { return Place({bounds_.left, top, bounds_.right, top + Height()}); }
  HRESULT put_Width(LONG width) override { return Place({bounds_.left, bounds_.top, bounds_.left + width, bounds_.bottom}); }
  HRESULT put_Height(LONG height) override { return Place({bounds_.left, bounds_.top, bounds_.right, bounds_.top + height}); }

  HRESULT Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    if (!url || url->vt != VT_BSTR || !url->bstrVal) return E_INVALIDARG;
    gchar* address = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(url->bstrVal), SysStringLen(url->bstrVal),
                                     nullptr, nullptr, nullptr);
    if (!address) return E_INVALIDARG;
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view_), address);
    g_free(address);
    return S_OK;
  }

 private:
  ~WebBrowser() {
    Close(OLECLOSE_NOSAVE);
    g_object_unref(view_);
  }

  LONG Width() const { return bounds_.right - bounds_.left; }
  LONG Height() const { return bounds_.bottom - bounds_.top; }

  // Asks the site for its window and the view's place in it, and shows the view there.
  HRESULT ActivateInPlace(IOleClientSite& site) {
    IOleInPlaceSite* inPlaceSite = nullptr;
    if (FAILED(site.QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite))) || !inPlaceSite)
      return E_NOINTERFACE;
    HWND window = nullptr;
    if (inPlaceSite->CanInPlaceActivate() != S_OK || FAILED(inPlaceSite->GetWindow(&window)) || !WindowCanvas(window)) {
      inPlaceSite->Release();
      return E_FAIL;
    }
    inPlaceSite->OnInPlaceActivate();
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{sizeof(OLEINPLACEFRAMEINFO), FALSE, nullptr, nullptr, 0};
    inPlaceSite->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
    if (frame) frame->Release();
    if (document) document->Release();

    inPlaceSite_ = inPlaceSite;
    gtk_fixed_put(WindowCanvas(window), view_, position.left, position.top);
    Place(position);
    gtk_widget_show(view_);
    inPlaceSite_->OnUIActivate();
    site.ShowObject();
    return S_OK;
  }

  HRESULT Place(const RECT& bounds) {
    if (bounds.right < bounds.left || bounds.bottom < bounds.top) return E_INVALIDARG;
    bounds_ = bounds;
    if (GtkWidget* container = gtk_widget_get_parent(view_)) {
      gtk_fixed_move(GTK_FIXED(container), view_, bounds_.left, bounds_.top);
      gtk_widget_set_size_request(view_, Width(), Height());
    }
    return S_OK;
  }

  ULONG references_ = 1;
  IOleClientSite* clientSite_;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  GtkWidget* view_;
  RECT bounds_{};
};

}  // namespace

HRESULT OleCreate(REFCLSID clsid, REFIID riid, DWORD, FORMATETC*, IOleClientSite* clientSite, IStorage* storage,
                  LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!OleIsInitialized()) return CO_E_NOTINITIALIZED;
  if (clsid != CLSID_WebBrowser) return REGDB_E_CLASSNOTREG;
  if (!EnsureGtk()) return E_FAIL;
  if (storage) storage->SetClass(clsid);
  auto* browser = new WebBrowser(clientSite);
  const HRESULT result = browser->QueryInterface(riid, object);
  browser->Release();
  return result;
}

HRESULT OleSetContainedObject(IUnknown* object, BOOL) { return object ? S_OK : E_INVALIDARG; }
