// Class objects made by the framework tests.
#include "tests/host/FrameworkTestObjects.h"

#include <cstring>

namespace framework_test {

namespace {

// A heap object answering IUnknown only; deleted by its last Release.
class Instance final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG count = --mCount;
    if (count == 0) delete this;
    return count;
  }
  ULONG mCount = 1;
};

// A minimal counted string; only what the framework reads is answered.
class Text final : public QOR::IQORString {
 public:
  explicit Text(const wchar_t* text) : mText(text) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG count = --mCount;
    if (count == 0) delete this;
    return count;
  }
  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR) noexcept override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* text) noexcept override {
    *text = SysAllocString(mText.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLength(long*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString*, VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL*) noexcept override { return E_NOTIMPL; }
  long STDMETHODCALLTYPE GetImplementation() noexcept override { return 0; }
  HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) noexcept override {
    const size_t size = 2 * (mText.size() + 1);
    if (bytes < 0 || static_cast<size_t>(bytes) < size) return E_FAIL;
    std::memcpy(buffer, mText.c_str(), size);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* charSize) noexcept override {
    *length = static_cast<long>(mText.size());
    *charSize = 2;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapacity(long*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateRep(long, QOR::IQORString**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVariant(VARIANT*) noexcept override { return E_NOTIMPL; }
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
  std::wstring mText;
  ULONG mCount = 1;
};

}  // namespace

std::wstring ReadText(QOR::IQORString* text) {
  long length = 0;
  long charSize = 0;
  if (!text || FAILED(text->GetLengthAndCharSize(&length, &charSize)) || charSize != 2) return L"";
  std::wstring result(static_cast<size_t>(length) + 1, L'\0');
  if (FAILED(text->CopyTo(static_cast<long>(2 * result.size()), &result[0]))) return L"";
  result.resize(static_cast<size_t>(length));
  return result;
}

QOR::IQORString* MakeText(const wchar_t* text) { return new Text(text); }

HRESULT EnumClass::QueryInterface(REFIID iid, void** out) noexcept {
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ILumoClassObject) ||
      IsEqualIID(iid, IID_ICalcEnumClass2)) {
    *out = static_cast<ICalcEnumClass2*>(this);
  } else if (IsEqualIID(iid, IID_ICalcNumericParamsFuncClass)) {
    *out = static_cast<ICalcNumericParamsFuncClass*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT EnumClass::CreateAggregatedEnum(IUnknown* outer, IUnknown*, IUnknown** inner) noexcept {
  mLastOuter = outer;
  ++mCreated;
  *inner = new Instance;
  return S_OK;
}

}  // namespace framework_test
