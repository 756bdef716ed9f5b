// The host's own string objects, handed to modules through the QOR string interface.
#include "host/common/HostString.h"

#include "host/common/HostObject.h"

#include <cstring>
#include <new>

namespace host {

namespace {

// Identifies strings made by this host (modules answer their own value).
constexpr long kHostStringImplementation = 1;

class HostString final : public HostObject<QOR::IQORString> {
 public:
  explicit HostString(std::wstring text) : mText(std::move(text)) {}

  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR text) noexcept override {
    try {
      mText = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* text) noexcept override {
    if (!text) return E_POINTER;
    SysFreeString(*text);
    *text = mText.empty() ? nullptr : SysAllocStringLen(mText.data(), static_cast<UINT>(mText.size()));
    return mText.empty() || *text ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL* empty) noexcept override {
    if (!empty) return E_POINTER;
    *empty = mText.empty() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLength(long* length) noexcept override {
    if (!length) return E_POINTER;
    *length = static_cast<long>(mText.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) noexcept override {
    if (!equal) return E_POINTER;
    try {
      *equal = other && StringText(other) == mText ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL* shared) noexcept override {
    if (!shared) return E_POINTER;
    // A host string is never written through another reference, so it never needs copying.
    *shared = VARIANT_FALSE;
    return S_OK;
  }
  long STDMETHODCALLTYPE GetImplementation() noexcept override { return kHostStringImplementation; }
  HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) noexcept override {
    const size_t need = (mText.size() + 1) * sizeof(wchar_t);
    if (!buffer || bytes < 0 || static_cast<size_t>(bytes) < need) return E_FAIL;
    std::memcpy(buffer, mText.c_str(), need);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* charSize) noexcept override {
    if (!length || !charSize) return E_POINTER;
    *length = static_cast<long>(mText.size());
    *charSize = sizeof(wchar_t);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapacity(long* capacity) noexcept override {
    if (!capacity) return E_POINTER;
    *capacity = static_cast<long>(mText.capacity());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateRep(long units, QOR::IQORString** rep) noexcept override {
    if (!rep) return E_POINTER;
    *rep = nullptr;
    if (units < 0) return E_INVALIDARG;
    auto* s = new (std::nothrow) HostString(std::wstring());
    if (!s) return E_OUTOFMEMORY;
    try {
      s->mText.reserve(static_cast<size_t>(units));
    } catch (...) {
      s->Release();
      return E_OUTOFMEMORY;
    }
    *rep = s;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetVariant(VARIANT* value) noexcept override {
    if (!value) return E_POINTER;
    VariantInit(value);
    value->vt = VT_BSTR;
    value->bstrVal = nullptr;
    return GetBSTR(&value->bstrVal);
  }
  long STDMETHODCALLTYPE Length() noexcept override { return static_cast<long>(mText.size()); }
  HRESULT STDMETHODCALLTYPE Destroy() noexcept override {
    delete this;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override { return 0; }
  const wchar_t* STDMETHODCALLTYPE GetText() noexcept override { return mText.c_str(); }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override {
    if (flags & 1) delete this;
    return this;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IAutoQORString || iid == QOR::IID_IQORString)
      return static_cast<QOR::IQORString*>(this);
    return nullptr;
  }

  std::wstring mText;
};

}  // namespace

HostPtr<QOR::IQORString> MakeHostString(const std::wstring& text) {
  HostPtr<QOR::IQORString> s;
  s.Attach(new HostString(text));
  return s;
}

std::wstring StringText(QOR::IQORString* text) {
  if (!text) return std::wstring();
  const wchar_t* p = text->GetText();
  return p ? std::wstring(p) : std::wstring();
}

}  // namespace host
