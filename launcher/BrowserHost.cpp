#include "launcher/BrowserHost.h"

#include "launcher/Portal.h"

#include <vector>

namespace {

HRESULT NoInterface(void** object, HRESULT result) {
  if (object) *object = nullptr;
  return result;
}

BSTR AllocStringFromAnsi(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return nullptr;
  std::vector<WCHAR> wide(length);
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  return SysAllocString(wide.data());
}

}  // namespace

int CRefCounted::AddRef() { return references_++; }

int CRefCounted::Release() {
  if (--references_ == 0) {
    delete this;
    return 0;
  }
  return references_;
}

CBrowserHost::CBrowserHost() = default;

CBrowserHost* CBrowserHost::Create() { return new CBrowserHost; }

void CBrowserHost::Embed(HWND window) {
  CloseBrowser();  // a second embedding replaces the first browser instead of leaking it
  window_ = window;
  void* object = nullptr;
  OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr, &clientSite_, &storage_, &object);
  browser_ = static_cast<IOleObject*>(object);
  if (!browser_) return;  // no browser: the area stays black

  browser_->SetHostNames(u"Web Host", u"Web View");
  OleSetContainedObject(browser_, TRUE);
  RECT client{};
  GetClientRect(window_, &client);
  browser_->DoVerb(OLEIVERB_SHOW, nullptr, &clientSite_, -1, window_, &client);

  IWebBrowser2* webBrowser = nullptr;
  browser_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&webBrowser));
  if (!webBrowser) return;
  webBrowser->put_Left(0);
  webBrowser->put_Top(0);
  webBrowser->put_Width(client.right - client.left);
  webBrowser->put_Height(client.bottom - client.top);
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = AllocStringFromAnsi(kPortalStartPage);
  VARIANT flags, targetFrame, postData, headers;
  VariantInit(&flags);
  VariantInit(&targetFrame);
  VariantInit(&postData);
  VariantInit(&headers);
  webBrowser->Navigate2(&url, &flags, &targetFrame, &postData, &headers);
  VariantClear(&url);
  webBrowser->Release();
}

void CBrowserHost::CloseBrowser() {
  if (!browser_) return;
  browser_->Close(OLECLOSE_NOSAVE);
  browser_->Release();
  browser_ = nullptr;
}

int CBrowserHost::OnEvent(int event) {
  switch (event) {
    case kEventQuit:
      CloseBrowser();
      PostQuitMessage(0);
      return 1;
    case kEventEmbedAgain:
      Embed(nullptr);
      return 1;
    default:
      return 0;
  }
}

HRESULT CBrowserHost::Storage::QueryInterface(REFIID, void** object) { return NoInterface(object, E_NOTIMPL); }

HRESULT CBrowserHost::ClientSite::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite)
    *object = static_cast<IOleClientSite*>(this);
  else if (riid == IID_IOleInPlaceSite)
    *object = static_cast<IOleInPlaceSite*>(&host.inPlaceSite_);
  else
    return NoInterface(object, E_NOINTERFACE);
  return S_OK;
}

HRESULT CBrowserHost::ClientSite::GetContainer(IOleContainer** container) {
  return NoInterface(reinterpret_cast<void**>(container), E_NOINTERFACE);
}

HRESULT CBrowserHost::InPlaceSite::QueryInterface(REFIID riid, void** object) {
  return host.clientSite_.QueryInterface(riid, object);
}

HRESULT CBrowserHost::InPlaceSite::GetWindow(HWND* window) {
  *window = host.window_;
  return S_OK;
}

HRESULT CBrowserHost::InPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                    LPRECT position, LPRECT clip, OLEINPLACEFRAMEINFO* frameInfo) {
  *frame = &host.inPlaceFrame_;
  *document = nullptr;
  GetClientRect(host.window_, position);
  GetClientRect(host.window_, clip);
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = host.window_;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT CBrowserHost::InPlaceFrame::QueryInterface(REFIID, void** object) { return NoInterface(object, E_NOTIMPL); }

HRESULT CBrowserHost::InPlaceFrame::GetWindow(HWND* window) {
  *window = host.window_;
  return S_OK;
}
