// ComTry: the one bracket around every COM method body, so no exception leaves a COM call.
#pragma once

#include "base/XQOR.h"

#include <windows.h>

#include <new>
#include <type_traits>
#include <utility>

namespace QOR {

// Runs body and answers its HRESULT. An XQOR becomes its code, an allocation
// failure E_OUTOFMEMORY, any other exception `otherwise` (E_FAIL unless the
// method's contract names another code); an XQOR whose code is no failure
// counts as other. body returns an HRESULT, or nothing (then S_OK).
template <class F>
HRESULT ComTry(F&& body, HRESULT otherwise = E_FAIL) noexcept {
  try {
    if constexpr (std::is_void_v<decltype(std::forward<F>(body)())>) {
      std::forward<F>(body)();
      return S_OK;
    } else {
      return std::forward<F>(body)();
    }
  } catch (const XQOR& e) {
    // A thrown XQOR always reports failure, even one made with code 0.
    return FAILED(e.code()) ? e.code() : otherwise;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return otherwise;
  }
}

}  // namespace QOR

using QOR::ComTry;
