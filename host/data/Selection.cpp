// The selection of a data document: a range of the recording and a selected channel.
#include "host/data/Selection.h"

#include "host/common/HostObject.h"

namespace host {

namespace {

bool Before(HostPosition a, HostPosition b) {
  return a.record < b.record || (a.record == b.record && a.tick < b.tick);
}

// Whether p lies within the recording; the end of a record counts as within it.
bool Within(const Recording& recording, HostPosition p) {
  if (p.record < 0 || p.tick < 0 || static_cast<size_t>(p.record) >= recording.records.size()) return false;
  return p.tick <= recording.records[static_cast<size_t>(p.record)].length;
}

class Selection final : public HostObject<IHostSelection> {
 public:
  explicit Selection(std::weak_ptr<const Recording> recording) : mRecording(std::move(recording)) {}

  HRESULT STDMETHODCALLTYPE GetRange(HostPosition* start, HostPosition* end) noexcept override {
    if (!start || !end) return E_POINTER;
    *start = mHas ? mStart : HostPosition{-1, -1};
    *end = mHas ? mEnd : HostPosition{-1, -1};
    return mHas ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SetRange(HostPosition start, HostPosition end) noexcept override {
    const std::shared_ptr<const Recording> recording = mRecording.lock();
    if (!recording || Before(end, start) || !Within(*recording, start) || !Within(*recording, end))
      return E_INVALIDARG;
    mStart = start;
    mEnd = end;
    mHas = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clear() noexcept override {
    mHas = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SelectChannel(int32_t channel, double high, double low) noexcept override {
    const std::shared_ptr<const Recording> recording = mRecording.lock();
    if (!recording || channel < -1 || channel >= static_cast<int32_t>(recording->channels.size()) ||
        !(high > low))
      return E_INVALIDARG;
    mChannel = channel;
    mHigh = high;
    mLow = low;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSelectedChannel(int32_t* channel) noexcept override {
    if (!channel) return E_POINTER;
    *channel = mChannel;
    return S_OK;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IHostSelection) return static_cast<IHostSelection*>(this);
    return nullptr;
  }

  std::weak_ptr<const Recording> mRecording;
  bool mHas = false;
  HostPosition mStart{-1, -1};
  HostPosition mEnd{-1, -1};
  int32_t mChannel = -1;
  double mHigh = 0.0;
  double mLow = 0.0;
};

}  // namespace

HostPtr<IHostSelection> CreateSelection(std::weak_ptr<const Recording> recording) {
  HostPtr<IHostSelection> selection;
  selection.Attach(new Selection(std::move(recording)));
  return selection;
}

}  // namespace host
