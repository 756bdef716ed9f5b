// The host's text store.
#include "host/chancalc/TextStore.h"

#include "host/common/HostObject.h"
#include "host/common/HostString.h"

#include <new>
#include <utility>

namespace host {

namespace {

// {D3B1A4E6-7F25-4C08-8E9D-1A6B5C3F2E70}: the stand-in's own id for the store's object.
constexpr GUID IID_HostTextStoreObject = {
    0xD3B1A4E6, 0x7F25, 0x4C08, {0x8E, 0x9D, 0x1A, 0x6B, 0x5C, 0x3F, 0x2E, 0x70}};

class TextStore final : public HostObject<IHostTextStore> {
 public:
  explicit TextStore(std::wstring text) : mText(std::move(text)) {}
  const std::wstring& Text() const noexcept { return mText; }

  HRESULT STDMETHODCALLTYPE ReadText(QOR::IQORString** text) noexcept override {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (mText.empty()) return S_FALSE;
    try {
      *text = MakeHostString(mText).Detach();
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE WriteText(QOR::IQORString* text) noexcept override {
    try {
      mText = StringText(text);
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  ~TextStore() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostTextStore || iid == IID_HostTextStoreObject)
      return static_cast<IHostTextStore*>(this);
    return nullptr;
  }

  std::wstring mText;
};

}  // namespace

HostPtr<IHostTextStore> CreateTextStore(const std::wstring& text) {
  HostPtr<IHostTextStore> store;
  store.Attach(new TextStore(text));
  return store;
}

std::wstring TextStoreText(IHostTextStore* store) {
  IHostTextStore* found = nullptr;
  if (!store || FAILED(store->QueryInterface(IID_HostTextStoreObject, reinterpret_cast<void**>(&found))))
    return std::wstring();
  std::wstring text = static_cast<TextStore*>(found)->Text();
  found->Release();
  return text;
}

}  // namespace host
