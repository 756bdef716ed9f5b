// The string representation: allocation, the shared empty rep and the IQORString operations.
#include "base/StringRep.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

namespace QORString {

namespace {

constexpr VARIANT_BOOL kTrue = -1;
constexpr VARIANT_BOOL kFalse = 0;
// The empty rep is one unit larger than the constructors' minimum.
constexpr uint32_t kEmptyCapacity = 9;

StringRep* gEmptyRep = nullptr;
bool gEmptyMade = false;

void ReleaseEmptyRep() {
  if (gEmptyRep != nullptr) gEmptyRep->Release();
  gEmptyRep = nullptr;
}

}  // namespace

StringRep* StringRep::Allocate(uint32_t capacity) {
  capacity = std::max(capacity, kMinCapacity);
  // The block size must not wrap around on a 32-bit size_t.
  if (capacity > (SIZE_MAX - sizeof(StringRep)) / sizeof(wchar_t)) throw std::bad_alloc();
  void* block = ::operator new(sizeof(StringRep) + capacity * sizeof(wchar_t));
  StringRep* rep = new (block) StringRep();
  rep->mCapacity = capacity;
  rep->mLength = 1;
  rep->Text()[0] = 0;
  return rep;
}

StringRep* StringRep::Empty() {
  // Made on first use (the module's start-up makes it on the loader thread), no lock.
  if (!gEmptyMade) {
    StringRep* rep = Allocate(kEmptyCapacity);
    rep->mCapacity = kEmptyCapacity;
    std::memset(rep->Text(), 0, kEmptyCapacity * sizeof(wchar_t));
    gEmptyRep = rep;
    gEmptyMade = true;
    std::atexit(ReleaseEmptyRep);
  }
  return gEmptyRep;
}

bool StringRep::IsOwn(QOR::IQORString* unknown) noexcept {
  return unknown != nullptr && unknown->GetImplementation() == QOR::kQORStringImplementation;
}

const char* StringRep::NarrowText() {
  if (mNarrowValid != 0 && mNarrow != nullptr) return mNarrow;
  FreeNarrow();
  const int bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, Text(), -1, nullptr, 0, nullptr, nullptr);
  char* narrow = new char[bytes > 0 ? bytes : 1];
  narrow[0] = 0;
  if (bytes > 0) WideCharToMultiByte(CP_THREAD_ACP, 0, Text(), -1, narrow, bytes, nullptr, nullptr);
  mNarrow = narrow;
  mNarrowValid = 1;
  return mNarrow;
}

void StringRep::FreeNarrow() noexcept {
  delete[] mNarrow;
  mNarrow = nullptr;
  mNarrowValid = 0;
}

HRESULT StringRep::QueryInterface(REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IAutoQORString) ||
      IsEqualGUID(iid, QOR::IID_IQORString)) {
    // One table serves all three interfaces.
    *object = static_cast<QOR::IQORString*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG StringRep::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&mRefCount)); }

ULONG StringRep::Release() noexcept {
  const LONG count = InterlockedDecrement(&mRefCount);
  if (count == 0) DeletingDestructor(1);
  return static_cast<ULONG>(count);
}

HRESULT StringRep::SetFromBSTR(BSTR text) noexcept {
  if (mRefCount > 1) return E_FAIL;
  if (text == nullptr) {
    mNarrowValid = 0;
    mLength = 1;
    Text()[0] = 0;
    return S_OK;
  }
  const UINT units = SysStringLen(text);
  if (units >= mCapacity) return E_FAIL;
  mNarrowValid = 0;
  std::memcpy(Text(), text, units * sizeof(wchar_t));
  Text()[units] = 0;
  mLength = units + 1;
  return S_OK;
}

HRESULT StringRep::GetBSTR(BSTR* text) noexcept {
  if (text == nullptr) return E_FAIL;
  SysFreeString(*text);
  *text = nullptr;
  if (mLength <= 1) return S_OK;
  *text = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(Text()),
                                (mLength - 1) * sizeof(wchar_t));
  return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT StringRep::IsEmpty(VARIANT_BOOL* empty) noexcept {
  if (empty == nullptr) return E_POINTER;
  *empty = mLength <= 1 ? kTrue : kFalse;
  return S_OK;
}

HRESULT StringRep::GetLength(long* length) noexcept {
  if (length == nullptr) return E_POINTER;
  *length = static_cast<long>(mLength) - 1;
  return S_OK;
}

bool StringRep::EqualsBSTR(BSTR other) const noexcept {
  // An empty text equals only the null BSTR.
  if (mLength <= 1) return other == nullptr;
  if (other == nullptr) return false;
  const uint32_t mine = mLength - 1;
  const uint32_t theirs = SysStringLen(other);
  if (std::wmemcmp(ConstText(), other, std::min(mine, theirs)) != 0) return false;
  return mine == theirs;
}

HRESULT StringRep::IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) noexcept {
  if (equal == nullptr) return E_POINTER;
  *equal = kFalse;
  if (other == static_cast<QOR::IQORString*>(this)) {
    *equal = kTrue;
    return S_OK;
  }
  if (other == nullptr) return E_POINTER;
  if (IsOwn(other)) {
    const StringRep* rep = static_cast<StringRep*>(other);
    const bool same = rep->mLength == mLength &&
                      std::wmemcmp(rep->ConstText(), ConstText(), mLength) == 0;
    *equal = same ? kTrue : kFalse;
    return S_OK;
  }
  BSTR text = nullptr;
  const HRESULT hr = other->GetBSTR(&text);
  if (FAILED(hr)) return hr;
  *equal = EqualsBSTR(text) ? kTrue : kFalse;
  SysFreeString(text);
  return S_OK;
}

HRESULT StringRep::IsShared(VARIANT_BOOL* shared) noexcept {
  if (shared == nullptr) return E_POINTER;
  *shared = mRefCount > 1 ? kTrue : kFalse;
  return S_OK;
}

long StringRep::GetImplementation() noexcept { return QOR::kQORStringImplementation; }

HRESULT StringRep::CopyTo(long bytes, void* buffer) noexcept {
  if (buffer == nullptr || bytes < 0 ||
      static_cast<unsigned long>(bytes) < mLength * sizeof(wchar_t))
    return E_FAIL;
  std::memcpy(buffer, Text(), mLength * sizeof(wchar_t));
  return S_OK;
}

HRESULT StringRep::GetLengthAndCharSize(long* length, long* charSize) noexcept {
  if (length == nullptr || charSize == nullptr) return E_POINTER;
  *length = static_cast<long>(mLength) - 1;
  *charSize = sizeof(wchar_t);
  return S_OK;
}

HRESULT StringRep::GetCapacity(long* capacity) noexcept {
  if (capacity == nullptr) return E_POINTER;
  *capacity = static_cast<long>(mCapacity) - 1;
  return S_OK;
}

HRESULT StringRep::CreateRep(long units, QOR::IQORString** rep) noexcept {
  if (rep == nullptr) return E_POINTER;
  *rep = nullptr;
  if (units < 0) return E_INVALIDARG;
  try {
    *rep = Allocate(static_cast<uint32_t>(units) + 1);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT StringRep::GetVariant(VARIANT* value) noexcept {
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  value->vt = VT_BSTR;
  value->bstrVal = nullptr;
  if (mLength <= 1) return S_OK;
  value->bstrVal = SysAllocStringLen(Text(), mLength - 1);
  return value->bstrVal != nullptr ? S_OK : E_OUTOFMEMORY;
}

long StringRep::Length() noexcept { return static_cast<long>(mLength) - 1; }

HRESULT StringRep::Destroy() noexcept {
  DeletingDestructor(1);
  return S_OK;
}

HRESULT StringRep::Reserved17() noexcept { return S_OK; }

const wchar_t* StringRep::GetText() noexcept { return Text(); }

void* StringRep::DeletingDestructor(unsigned int flags) noexcept {
  // Like a compiler's deleting destructor: answers the object's address.
  void* const self = this;
  FreeNarrow();
  this->~StringRep();
  if ((flags & 1) != 0) ::operator delete(self);
  return self;
}

}  // namespace QORString
