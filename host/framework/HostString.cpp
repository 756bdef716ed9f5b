// HostString: a counted wide string answering the string interfaces, kept simple for the framework's own texts.
#include "host/framework/HostString.h"

#include <oleauto.h>

#include <new>

namespace lumo {

namespace {

// Not the module's implementation code: modules copy these strings rather than share them.
constexpr long kHostStringImplementation = 1;

class HostString final : public QOR::IQORString {
 public:
  explicit HostString(std::wstring text) : mText(std::move(text)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IAutoQORString) &&
        !IsEqualIID(iid, QOR::IID_IQORString))
      return E_NOINTERFACE;
    *out = static_cast<QOR::IQORString*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&mCount));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG count = InterlockedDecrement(&mCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }
  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR text) noexcept override {
    if (mCount > 1) return E_FAIL;
    try {
      mText.assign(text ? text : L"", text ? SysStringLen(text) : 0);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* text) noexcept override {
    if (!text) return E_FAIL;
    SysFreeString(*text);
    *text = nullptr;
    if (mText.empty()) return S_OK;
    *text = SysAllocStringLen(mText.data(), static_cast<UINT>(mText.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL* empty) noexcept override {
    if (!empty) return E_POINTER;
    *empty = mText.empty() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLength(long* length) noexcept override {
    if (!length) return E_POINTER;
    *length = Length();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) noexcept override {
    if (!equal) return E_POINTER;
    *equal = (other == this || ReadString(other) == mText) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL* shared) noexcept override {
    if (!shared) return E_POINTER;
    *shared = mCount > 1 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  long STDMETHODCALLTYPE GetImplementation() noexcept override { return kHostStringImplementation; }
  HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) noexcept override {
    const size_t units = mText.size() + 1;
    if (!buffer || bytes < 0 || static_cast<size_t>(bytes) < 2 * units) return E_FAIL;
    memcpy(buffer, mText.c_str(), 2 * units);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* charSize) noexcept override {
    if (!length || !charSize) return E_POINTER;
    *length = Length();
    *charSize = 2;
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
    QOR::IQORString* const created = NewHostString(std::wstring());
    if (!created) return E_OUTOFMEMORY;
    if (units > 0) static_cast<HostString*>(created)->mText.reserve(static_cast<size_t>(units));
    *rep = created;
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
  ~HostString() = default;
  std::wstring mText;
  volatile LONG mCount = 1;
};

}  // namespace

QOR::IQORString* NewHostString(const std::wstring& text) noexcept {
  try {
    return new HostString(text);
  } catch (...) {
    return nullptr;
  }
}

std::wstring ReadString(QOR::IQORString* text) noexcept {
  if (!text) return std::wstring();
  long length = 0;
  long charSize = 0;
  if (FAILED(text->GetLengthAndCharSize(&length, &charSize)) || charSize != 2 || length < 0)
    return std::wstring();
  try {
    // CopyTo writes the text and its terminator.
    std::wstring result(static_cast<size_t>(length) + 1, L'\0');
    if (FAILED(text->CopyTo(static_cast<long>(2 * result.size()), &result[0])))
      return std::wstring();
    result.resize(static_cast<size_t>(length));
    return result;
  } catch (...) {
    return std::wstring();
  }
}

}  // namespace lumo
