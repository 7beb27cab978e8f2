// The single-threaded apartment, strings and variants.

#include "launcher/platform/Apartment.h"
#include "launcher/platform/Ole.h"

#include <glib.h>

#include <cstring>
#include <new>

namespace {

int comInitialisations = 0;
int oleInitialisations = 0;

}  // namespace

HRESULT CoInitialize(LPVOID) { return comInitialisations++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (comInitialisations > 0) --comInitialisations;
}

HRESULT OleInitialize(LPVOID reserved) {
  const HRESULT result = CoInitialize(reserved);
  ++oleInitialisations;
  return result;
}

void OleUninitialize() {
  if (oleInitialisations == 0) return;
  --oleInitialisations;
  CoUninitialize();
}

bool OleIsInitialized() { return oleInitialisations > 0; }

// A BSTR points at its characters; the byte length sits in the four bytes before them.
BSTR SysAllocString(LPCOLESTR text) {
  if (!text) return nullptr;
  std::size_t length = 0;
  while (text[length]) ++length;
  const std::uint32_t bytes = static_cast<std::uint32_t>(length * sizeof(OLECHAR));
  auto* block = static_cast<char*>(::operator new(sizeof(bytes) + bytes + sizeof(OLECHAR), std::nothrow));
  if (!block) return nullptr;
  std::memcpy(block, &bytes, sizeof(bytes));
  auto* characters = reinterpret_cast<BSTR>(block + sizeof(bytes));
  std::memcpy(characters, text, bytes + sizeof(OLECHAR));
  return characters;
}

void SysFreeString(BSTR text) {
  if (text) ::operator delete(reinterpret_cast<char*>(text) - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR text) {
  if (!text) return 0;
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<char*>(text) - sizeof(bytes), sizeof(bytes));
  return bytes / sizeof(OLECHAR);
}

void VariantInit(VARIANT* variant) {
  std::memset(variant, 0, sizeof(*variant));
  variant->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* variant) {
  if (!variant) return E_INVALIDARG;
  if (variant->vt == VT_BSTR) SysFreeString(variant->bstrVal);
  VariantInit(variant);
  return S_OK;
}

// The system code page is UTF-8. A length of -1 includes the terminating zero; with no output
// buffer the result is the number of characters needed.
int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int textLength, LPWSTR wide, int wideLength) {
  if (codePage != CP_ACP || !text) return 0;
  glong converted = 0;
  gunichar2* utf16 = g_utf8_to_utf16(text, textLength < 0 ? -1 : textLength, nullptr, &converted, nullptr);
  if (!utf16) return 0;
  // GLib's result ends with a zero, so copying one more character takes the terminator along.
  int needed = static_cast<int>(converted) + (textLength < 0 ? 1 : 0);
  if (wide) {
    if (wideLength < needed)
      needed = 0;
    else
      std::memcpy(wide, utf16, needed * sizeof(WCHAR));
  }
  g_free(utf16);
  return needed;
}
