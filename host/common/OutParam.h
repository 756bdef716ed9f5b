// Filling an out-parameter of a COM method the way every host object answers one.
#pragma once

#include <windows.h>

namespace host {

// Stores value through out: E_POINTER for a null out, else S_OK.
template <typename T, typename V>
HRESULT AnswerOut(T* out, const V& value) noexcept {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

}  // namespace host
