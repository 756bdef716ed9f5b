// The heap representation of QOR::String: a header, itself an IQORString object, followed by the text.
#pragma once

#include "hostapi/QORString.h"

#include <windows.h>

#include <cstdint>

namespace QORString {

// Header fields that follow the interface table pointer.
struct StringRepBase {
  // Text in the thread's ANSI code page, made on demand; owned, array-deleted.
  char* mNarrow = nullptr;
  // Set while mNarrow matches the text; every modification clears it first.
  int32_t mNarrowValid = 0;
  // Changed only with interlocked operations.
  volatile LONG mRefCount = 1;
  // Units the text area holds, terminator included.
  uint32_t mCapacity = 0;
  // Units in use, terminator included (1 means empty).
  uint32_t mLength = 1;
};

// One block: this header immediately followed by mCapacity UTF-16 units of text.
// It dies through its last Release (or Destroy), never through delete.
class StringRep final : public QOR::IQORString, public StringRepBase {
 public:
  // The minimum capacity of every rep made by a constructor.
  static constexpr uint32_t kMinCapacity = 8;

  // A new rep with one reference, the given capacity (raised to kMinCapacity) and empty text.
  static StringRep* Allocate(uint32_t capacity);
  // The process-wide empty rep, without an added reference.
  static StringRep* Empty();
  // The rep whose text starts at text.
  static StringRep* FromText(const wchar_t* text) {
    return reinterpret_cast<StringRep*>(
        reinterpret_cast<char*>(const_cast<wchar_t*>(text)) - sizeof(StringRep));
  }
  // True when unknown is one of this module's reps (its slot 9 answers the module's code).
  static bool IsOwn(QOR::IQORString* unknown) noexcept;

  wchar_t* Text() noexcept { return reinterpret_cast<wchar_t*>(this + 1); }
  // Text in the thread's ANSI code page, rebuilt only when the text changed since.
  const char* NarrowText();
  // Frees the narrow copy (when the text is reset).
  void FreeNarrow() noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  // IAutoQORString
  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* text) noexcept override;
  HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL* empty) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLength(long* length) noexcept override;
  HRESULT STDMETHODCALLTYPE IsEqual(QOR::IQORString* other, VARIANT_BOOL* equal) noexcept override;
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL* shared) noexcept override;
  long STDMETHODCALLTYPE GetImplementation() noexcept override;
  HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* charSize) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCapacity(long* capacity) noexcept override;
  HRESULT STDMETHODCALLTYPE CreateRep(long units, QOR::IQORString** rep) noexcept override;
  HRESULT STDMETHODCALLTYPE GetVariant(VARIANT* value) noexcept override;
  // IQORString
  long STDMETHODCALLTYPE Length() noexcept override;
  HRESULT STDMETHODCALLTYPE Destroy() noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved17() noexcept override;
  const wchar_t* STDMETHODCALLTYPE GetText() noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) noexcept override;

 private:
  StringRep() = default;
  ~StringRep() = default;
  bool EqualsBSTR(BSTR other) const noexcept;
  const wchar_t* ConstText() const noexcept {
    return reinterpret_cast<const wchar_t*>(this + 1);
  }
};

static_assert(sizeof(void*) != 4 || sizeof(StringRep) == 24, "in 32 bits the text follows the six header words");

}  // namespace QORString
