// NextCaller: one stored call of IEnumEventEx::Next, run by a getter as its stop callback when the
// record being sampled ends.
#pragma once

#include "base/NoValue.h"
#include "hostapi/CalcEnum.h"

#include <cstdint>

namespace SelfCheck {

// Owns nothing: the buffer and the three variables belong to the check's frame, the enumerator
// reference to the check, which sets it once the enumerator exists (null before). The check
// keeps the caller in its frame and hands the getter std::ref of it, so the getter's copy of the
// callback sees the enumerator set later.
struct NextCaller {
  void* buffer;
  int32_t* nRetd;
  int32_t* nut;
  HRESULT* hr;
  int32_t bufferBytes;
  IEnumEventEx* enumerator;

  // Next up to the record's end; its answer goes to *hr (E_POINTER without an enumerator).
  void operator()() const noexcept {
    *hr = enumerator ? enumerator->Next(bufferBytes, kRecordEndOffset, buffer, nRetd, nut) : E_POINTER;
  }
};

}  // namespace SelfCheck
