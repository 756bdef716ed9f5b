// The host's own string objects, handed to modules through the QOR string interface. The
// framework library and the host application both build their strings from this file.
#include "host/common/HostString.h"

#include "host/common/HostObject.h"
#include "host/common/OutParam.h"

#include <oleauto.h>

#include <cstring>
#include <new>

namespace host {

namespace {

// Identifies strings made by this host: modules copy these strings rather than share them.
constexpr long kHostStringImplementation = 1;

class HostString final : public HostObject<QOR::IQORString> {
 public:
  explicit HostString(std::wstring text) : mText(std::move(text)) {}

  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR text) noexcept override {
    // Another holder would see the text change under it.
    if (References() > 1) return E_FAIL;
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
    return AnswerOut(empty, mText.empty() ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT STDMETHODCALLTYPE GetLength(long* length) noexcept override { return AnswerOut(length, Length()); }
  HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) noexcept override {
    if (!equal) return E_POINTER;
    *equal = other && (other == this || StringText(other) == mText) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL* shared) noexcept override {
    return AnswerOut(shared, References() > 1 ? VARIANT_TRUE : VARIANT_FALSE);
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
    *length = Length();
    *charSize = sizeof(wchar_t);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapacity(long* capacity) noexcept override {
    return AnswerOut(capacity, static_cast<long>(mText.capacity()));
  }
  HRESULT STDMETHODCALLTYPE CreateRep(long units, QOR::IQORString** rep) noexcept override {
    if (!rep) return E_POINTER;
    *rep = nullptr;
    auto* s = new (std::nothrow) HostString(std::wstring());
    if (!s) return E_OUTOFMEMORY;
    try {
      if (units > 0) s->mText.reserve(static_cast<size_t>(units));
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

std::wstring StringText(QOR::IQORString* text) noexcept {
  if (!text) return std::wstring();
  // Through the length and a copy rather than GetText, so any module's strings read the same.
  long length = 0;
  long charSize = 0;
  if (FAILED(text->GetLengthAndCharSize(&length, &charSize)) || charSize != sizeof(wchar_t) ||
      length < 0)
    return std::wstring();
  try {
    // CopyTo writes the text and its terminator.
    std::wstring result(static_cast<size_t>(length) + 1, L'\0');
    if (FAILED(text->CopyTo(static_cast<long>(sizeof(wchar_t) * result.size()), &result[0])))
      return std::wstring();
    result.resize(static_cast<size_t>(length));
    return result;
  } catch (...) {
    return std::wstring();
  }
}

}  // namespace host
