// IEnumEventEx::Clone of the stand-in host's enumerators, answered through their ICalcEnum::Clone.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/CalcEnum.h"

namespace host {

inline HRESULT CloneAsEventEnum(ICalcEnum& self, IEnumEventEx** clone) noexcept {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  HostPtr<ICalcEnum> copy;
  const HRESULT hr = self.Clone(nullptr, copy.Out());
  if (FAILED(hr)) return hr;
  return copy->QueryInterface(IID_IEnumEventEx, reinterpret_cast<void**>(clone));
}

}  // namespace host
