// host::ViewTime: the current time of a host recording view, as the view's time interface gives
// it to panes that zoom around it.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/HostViewTime.h"

namespace host {

class ViewTime final : public HostObject<IHostViewTime> {
 public:
  // The view's cursor moves to tick of record; a negative record: the view shows no time.
  void SetCurrentTime(int32_t record, double tick) noexcept {
    mRecord = record;
    mTick = tick;
  }
  HRESULT STDMETHODCALLTYPE GetViewTime(int32_t* record, double* tick) noexcept override {
    if (!record || !tick) return E_POINTER;
    *record = mRecord;
    *tick = mTick;
    return mRecord >= 0 ? S_OK : S_FALSE;
  }

 private:
  void* FindInterface(REFIID iid) override {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostViewTime) ? static_cast<IHostViewTime*>(this)
                                                                               : nullptr;
  }
  int32_t mRecord = -1;
  double mTick = 0.0;
};

}  // namespace host
