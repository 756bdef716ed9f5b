// HeldList: objects modules hand the framework to keep, each held by one reference for the process.
#pragma once

#include "host/common/OutParam.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <vector>

namespace lumo {

// Adding takes a reference; handing one out gives the caller its own. UI thread only; no lock.
template <class T>
class HeldList {
 public:
  HRESULT Add(T* object) noexcept {
    if (!object) return E_POINTER;
    try {
      mItems.push_back(object);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    object->AddRef();
    return S_OK;
  }
  HRESULT GetCount(uint32_t* count) const noexcept {
    return host::AnswerOut(count, static_cast<uint32_t>(mItems.size()));
  }
  HRESULT GetAt(uint32_t index, T** object) const noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (index >= mItems.size()) return E_INVALIDARG;
    *object = mItems[index];
    (*object)->AddRef();
    return S_OK;
  }
  typename std::vector<T*>::const_iterator begin() const noexcept { return mItems.begin(); }
  typename std::vector<T*>::const_iterator end() const noexcept { return mItems.end(); }

 private:
  std::vector<T*> mItems;
};

}  // namespace lumo
