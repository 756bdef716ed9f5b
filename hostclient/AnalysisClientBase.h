// AnalysisManager::AnalysisClientBase: what a document needs to report to the host's analysis
// manager: finding the manager from a host object and keeping it with the client id it gave.
#pragma once

#include "hostapi/AnalysisManager.h"
#include "hostclient/ComPtr.h"

#include <unknwn.h>

#include <cstdint>

namespace AnalysisManager {

class AnalysisClientBase {
 public:
  // The analysis manager reached from hostObject: its container (IHostObjectContainer slot 7),
  // then the container's child of the manager's type. *child receives it with one reference;
  // E_POINTER for a null host object or out (nothing written), E_FAIL when none is found.
  static HRESULT GetManagerChild(IUnknown* hostObject, IUnknown** child) noexcept;

  // Asks the held manager for iid into *holder, releasing what *holder held first; E_FAIL
  // without a manager.
  template <class I>
  HRESULT QueryManagerInterface(REFIID iid, ComPtr<I>& holder) const noexcept {
    holder.Reset();
    if (!mManager) return E_FAIL;
    return mManager->QueryInterface(iid, holder.OutVoid());
  }

  IUnknown* Manager() const noexcept { return mManager.Get(); }
  int32_t ClientId() const noexcept { return mClientId; }

 protected:
  AnalysisClientBase() = default;
  ~AnalysisClientBase() = default;
  // Lets go of the held manager and finds it again from hostObject; false when there is none.
  bool FindManager(IUnknown* hostObject) noexcept;
  void SetClientId(int32_t id) noexcept { mClientId = id; }
  void ReleaseManager() noexcept { mManager.Reset(); }

 private:
  ComPtr<IUnknown> mManager;
  int32_t mClientId = -1;
};

}  // namespace AnalysisManager
