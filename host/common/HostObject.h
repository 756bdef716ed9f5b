// Reference counting and interface lookup shared by the stand-in host's COM objects.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace host {

// Implements IUnknown for a class deriving from one or more interfaces. The count starts at 1
// for the creator; the object deletes itself on its last Release. A derived class answers
// interface ids in FindInterface, converting `this` to the exact interface.
template <typename... Interfaces>
class HostObject : public Interfaces... {
 public:
  HostObject() = default;
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    void* found = FindInterface(iid);
    if (found == nullptr) return E_NOINTERFACE;
    AddRef();
    *out = found;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override {
    return static_cast<ULONG>(InterlockedIncrement(&mRefs));
  }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG refs = InterlockedDecrement(&mRefs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

 protected:
  virtual ~HostObject() = default;
  virtual void* FindInterface(REFIID iid) = 0;
  // The references held now (the creator's included); above 1 when the object is shared.
  LONG References() const noexcept { return mRefs; }

 private:
  LONG mRefs = 1;
};

}  // namespace host
