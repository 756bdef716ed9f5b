// A test online-data sink that notes, as short texts, what the host tells it while sampling.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/OnlineData.h"

#include <string>
#include <vector>

namespace testing_support {

// Notes prefix + "start", "record r", "data r n", "end r n" and "stop" into *log, and answers
// each notification with answer.
class NotingSink final : public host::HostObject<IOnlineDataSink> {
 public:
  NotingSink(std::vector<std::string>* log, std::string prefix = std::string(), HRESULT answer = S_OK)
      : mLog(log), mPrefix(std::move(prefix)), mAnswer(answer) {}

  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t*, uint16_t*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override { return Note("start"); }
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t r, VARIANT_BOOL sampled) noexcept override {
    return Note("record " + std::to_string(r) + (sampled ? "" : " unsampled"));
  }
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t r, int32_t n) noexcept override {
    return Note("data " + std::to_string(r) + " " + std::to_string(n));
  }
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t r, int32_t n) noexcept override {
    return Note("end " + std::to_string(r) + " " + std::to_string(n));
  }
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override { return Note("stop"); }
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t*) noexcept override { return S_OK; }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

 private:
  HRESULT Note(const std::string& what) {
    mLog->push_back(mPrefix + what);
    return mAnswer;
  }
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOnlineDataSink)) return static_cast<IOnlineDataSink*>(this);
    return nullptr;
  }
  std::vector<std::string>* mLog;
  std::string mPrefix;
  HRESULT mAnswer;
};

}  // namespace testing_support
