// The host's frame for one view: a top-level window whose client window a view makes its
// window in, answering the view as its host client.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "hostapi/DocView.h"

#include <string>

namespace host {

class HostClientFrame final : public HostObject<IHostClientWindow> {
 public:
  // A new visible frame with the title (one reference); null when the windows cannot be made.
  static HostPtr<HostClientFrame> Create(const std::wstring& title);

  HWND Frame() const noexcept { return mFrame; }
  HWND Client() const noexcept { return mClient; }
  // The next detach notices answer S_FALSE (the host keeps the view) this many times.
  void RefuseDetaches(int count) noexcept { mRefusals = count; }
  int DetachNotices() const noexcept { return mDetachNotices; }
  // Destroys both windows (the view's window must be gone or go with them).
  void Close() noexcept;

  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) noexcept override;
  HRESULT STDMETHODCALLTYPE OnViewDetaching() noexcept override;

 private:
  HostClientFrame() = default;
  ~HostClientFrame() override { Close(); }
  void* FindInterface(REFIID iid) override;

  HWND mFrame = nullptr;
  HWND mClient = nullptr;
  int mRefusals = 0;
  int mDetachNotices = 0;
};

}  // namespace host
