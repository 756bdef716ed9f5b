// The host's range source.
#include "host/chancalc/RangeSource.h"

#include "host/common/HostObject.h"

#include <new>

namespace host {

namespace {

class RangeSource final : public HostObject<IHostRangeSource> {
 public:
  RangeSource(HostPosition start, HostPosition end) noexcept : mStart(start), mEnd(end) {}
  HRESULT STDMETHODCALLTYPE GetRange(HostPosition* start, HostPosition* end) noexcept override {
    if (!start || !end) return E_POINTER;
    *start = mStart;
    *end = mEnd;
    return S_OK;
  }

 private:
  ~RangeSource() override = default;
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostRangeSource) return static_cast<IHostRangeSource*>(this);
    return nullptr;
  }

  HostPosition mStart;
  HostPosition mEnd;
};

}  // namespace

HostPtr<IHostRangeSource> CreateRangeSource(HostPosition start, HostPosition end) {
  HostPtr<IHostRangeSource> source;
  source.Attach(new (std::nothrow) RangeSource(start, end));
  return source;
}

}  // namespace host
