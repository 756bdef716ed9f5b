// OWL::TModuleProc: a function of a run-time loaded library, bound by name on first use.
#pragma once

#include "platform/owl/TModule.h"

namespace OWL {

// R (WINAPI*)(Args...) looked up once in module; IsBound tells whether the export exists. A
// missing module or export leaves it unbound, and the caller decides the fallback.
template <typename R, typename... Args>
class TModuleProc {
 public:
  using TFunction = R(WINAPI*)(Args...);

  TModuleProc(const TModule& module, const char* name) noexcept
      : mFunction(reinterpret_cast<TFunction>(
            reinterpret_cast<void (*)()>(module.GetProcAddress(name)))) {}

  bool IsBound() const noexcept { return mFunction != nullptr; }
  // Only when bound.
  R operator()(Args... args) const { return mFunction(args...); }

 private:
  TFunction mFunction;
};

}  // namespace OWL
