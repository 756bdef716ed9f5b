// The stand-in's sampling control for previews: replays a recording as if its hardware were
// sampling it, block by block on the user-interface thread, into the documents of the online
// sinks hooked to it.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "host/data/Recording.h"
#include "hostapi/PreviewSampling.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {

class Sampler;

class SamplingControl final : public HostObject<IHostSamplingControl> {
 public:
  // hardware: what the device delivers, its first record over and over (one reference).
  static HostPtr<SamplingControl> Create(Recording hardware);

  HRESULT STDMETHODCALLTYPE IsSampling(VARIANT_BOOL* sampling) noexcept override;
  HRESULT STDMETHODCALLTYPE Prepare(int32_t a, uint32_t b, int32_t c) noexcept override;
  HRESULT STDMETHODCALLTYPE GetStartText(QOR::IQORString** text, VARIANT_BOOL* mayStart) noexcept override;
  HRESULT STDMETHODCALLTYPE Start(double startTime, QOR::IQORString* text) noexcept override;
  HRESULT STDMETHODCALLTYPE Stop(int32_t flag) noexcept override;
  HRESULT STDMETHODCALLTYPE Hook(IUnknown* observer) noexcept override;
  HRESULT STDMETHODCALLTYPE Unhook(IUnknown* observer) noexcept override;

  // The device delivers ticks more (wrapping round its record) to every hooked document.
  // E_UNEXPECTED while not sampling.
  HRESULT Deliver(int32_t ticks);
  // Delivers blockTicks every milliseconds from a timer of the calling (user-interface) thread
  // while sampling; 0 stops it.
  void DeliverEvery(uint32_t milliseconds, int32_t blockTicks);

  // The device's state: unplugged, a start fails with the device's reason; the user may
  // decline a start in the host's own confirmation.
  void SetConnected(bool connected) noexcept { mConnected = connected; }
  void SetUserDeclines(bool declines) noexcept { mUserDeclines = declines; }

  int32_t PrepareCount() const noexcept { return mPrepares; }
  size_t HookCount() const noexcept { return mHooks.size(); }

 private:
  struct Hooked;

  explicit SamplingControl(Recording hardware);
  ~SamplingControl() override;
  void* FindInterface(REFIID iid) override;
  HRESULT StartDocument(Hooked& hooked);
  static void StopDocument(Hooked& hooked) noexcept;
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept;

  Recording mHardware;
  std::vector<std::unique_ptr<Hooked>> mHooks;
  std::function<DataDocument*(IUnknown*)> mResolve;
  bool mSampling = false;
  bool mConnected = true;
  bool mUserDeclines = false;
  int32_t mPrepares = 0;
  int32_t mPosition = 0;  // next tick of the device's record
  UINT_PTR mTimer = 0;
  int32_t mTimerBlock = 0;
};

}  // namespace host
