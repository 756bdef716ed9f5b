// The host's frame for one view: a top-level window whose client window a view makes its
// window in, answering the view as its host client. Its menu (File: Print..., Print Preview;
// Edit: Copy) and keys (Ctrl+P, Ctrl+C) send the host's print, preview and copy messages to the
// view; its keyboard focus goes on to the view's window.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "hostapi/DocView.h"

#include <functional>
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
  // The view the frame's menu commands go to (kept with a reference until Close; may be null).
  void SetCommandTarget(IUnknown* view) noexcept;
  // Gives the keyboard focus to the view's window when the frame is the active window (as it is
  // when the user works in it).
  void FocusView() noexcept;
  // What the user's close of the frame (its close box, system menu, Alt+F4) does: the view's
  // owner asks the view and closes it with its frame, or keeps both. Without one the frame goes
  // with its view's window.
  void SetCloseRequest(std::function<void()> request) { mCloseRequest = std::move(request); }

  // Translates a key message for a frame's window into the frame's menu command, as the host's
  // message loop does before dispatching; true when it was one of the frame's keys.
  static bool TranslateKeys(MSG& msg) noexcept;
  // Chooses the frame's menu command whose text is path ("File|Print Preview"; '&' marks and
  // the key after a TAB are not compared), as clicks on the menus do: each menu opening asks the
  // view which commands are enabled. S_FALSE for a disabled command, E_INVALIDARG when the menu
  // holds no such command.
  static HRESULT ChooseMenuCommand(HWND frame, const std::wstring& path) noexcept;

  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) noexcept override;
  HRESULT STDMETHODCALLTYPE OnViewDetaching() noexcept override;

 private:
  HostClientFrame() = default;
  ~HostClientFrame() override { Close(); }
  void* FindInterface(REFIID iid) override;
  static LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  // Sends the host message of a menu command to the view.
  void SendToView(uint32_t messageId) noexcept;
  // Enables the commands of menu as the view's command states say.
  void EnableCommands(HMENU menu) noexcept;

  HWND mFrame = nullptr;
  HWND mClient = nullptr;
  HostPtr<IUnknown> mTarget;
  std::function<void()> mCloseRequest;
  int mRefusals = 0;
  int mDetachNotices = 0;
};

}  // namespace host
