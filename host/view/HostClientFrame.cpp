// The host's view frame: its window classes, the client window that keeps its view window
// filling it, the detach notices, and the menu and keys whose commands go to the view.
#include "host/view/HostClientFrame.h"

#include "host/common/ScreenFit.h"
#include "host/view/FrameCascade.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/FrameworkCommands.h"
#include "hostapi/MessageHandler.h"
#include "hostapi/MessageService.h"

#include <objbase.h>

#include <cstdint>
#include <cwchar>

namespace host {

namespace {

constexpr wchar_t kFrameClass[] = L"OndaraHostViewFrame";
constexpr wchar_t kClientClass[] = L"OndaraHostViewClient";

// The frame's menu commands, the host messages they send, as the host's own menus do, and the
// view's command whose state enables them.
struct FrameCommand {
  UINT id;
  uint32_t messageId;
  uint32_t stateId;
};
constexpr UINT kPrintCommand = 101;
constexpr UINT kPreviewCommand = 102;
constexpr UINT kCopyCommand = 103;
constexpr FrameCommand kCommands[] = {{kPrintCommand, kPrintMessageId, kPrintCommandId},
                                      {kPreviewCommand, kPrintPreviewMessageId, kPrintCommandId},
                                      {kCopyCommand, kCopyMessageId, kCopyCommandId}};

// What a view answers of one of its commands; only whether it is enabled counts here.
class CommandEnabled final : public ICommandState {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_ICommandState ? static_cast<ICommandState*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  // Lives on the stack for one question.
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE SetChecked(VARIANT_BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetEnabled(VARIANT_BOOL enabled) noexcept override {
    mEnabled = enabled != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t*) noexcept override { return S_OK; }
  bool Enabled() const noexcept { return mEnabled; }

 private:
  bool mEnabled = true;  // a command the view does not answer stays enabled
};

HMENU CreateFrameMenu() noexcept {
  HMENU const bar = CreateMenu();
  HMENU const file = CreatePopupMenu();
  HMENU const edit = CreatePopupMenu();
  if (!bar || !file || !edit) {
    for (HMENU menu : {bar, file, edit})
      if (menu) DestroyMenu(menu);
    return nullptr;
  }
  AppendMenuW(file, MF_STRING, kPrintCommand, L"&Print...\tCtrl+P");
  AppendMenuW(file, MF_STRING, kPreviewCommand, L"Print Pre&view");
  AppendMenuW(edit, MF_STRING, kCopyCommand, L"&Copy\tCtrl+C");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  return bar;
}

// The keys of every frame, kept for the process.
HACCEL FrameKeys() noexcept {
  static HACCEL const keys = [] {
    ACCEL table[] = {{FVIRTKEY | FCONTROL, 'P', kPrintCommand}, {FVIRTKEY | FCONTROL, 'C', kCopyCommand}};
    return CreateAcceleratorTableW(table, 2);
  }();
  return keys;
}

// A menu item's text as compared with a path part: '&' marks left out of both, and the key
// after the item's TAB.
bool SameItemText(const wchar_t* item, const wchar_t* part, size_t partLength) noexcept {
  size_t at = 0;
  for (; *item && *item != L'\t'; ++item) {
    if (*item == L'&') continue;
    while (at < partLength && part[at] == L'&') ++at;
    if (at == partLength || *item != part[at]) return false;
    ++at;
  }
  while (at < partLength && part[at] == L'&') ++at;
  return at == partLength;
}

// The item of menu whose text is part: its id, or its submenu; false when there is none.
bool FindItem(HMENU menu, const wchar_t* part, size_t partLength, UINT* id, HMENU* submenu) noexcept {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 127;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || !SameItemText(text, part, partLength))
      continue;
    *id = info.wID;
    *submenu = info.hSubMenu;
    return true;
  }
  return false;
}

// The frame keeps its client filling it, and the client the view's window.
LRESULT CALLBACK FillWithChildProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_SIZE) {
    if (HWND child = GetWindow(window, GW_CHILD))
      MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterClasses(WNDPROC frameProc) noexcept {
  static const bool registered = [frameProc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = frameProc;
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&wc)) return false;
    wc.lpfnWndProc = &FillWithChildProc;
    wc.lpszClassName = kClientClass;
    return RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

}  // namespace

namespace {

// The frame opened last, for the next one to cascade from while it is open.
HWND& LastFrame() {
  static HWND last = nullptr;
  return last;
}

POINT CascadedCorner(SIZE frame, const RECT& work) noexcept {
  RECT last{};
  const bool open = IsWindow(LastFrame()) && GetWindowRect(LastFrame(), &last);
  return NextFramePosition(open ? &last : nullptr, frame, work, FrameCascadeStep());
}

}  // namespace

HostPtr<HostClientFrame> HostClientFrame::Create(const std::wstring& title) {
  HostPtr<HostClientFrame> frame;
  if (!RegisterClasses(&HostClientFrame::FrameProc)) return frame;
  frame.Attach(new HostClientFrame());
  const RECT work = ScreenWorkArea();
  const POINT dpi = ScreenResolution();
  const SIZE size = FrameSize(dpi.x, dpi.y, work);
  const POINT corner = CascadedCorner(size, work);
  frame->mFrame = CreateWindowExW(0, kFrameClass, title.c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, corner.x, corner.y,
                                  size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!frame->mFrame) return {};
  LastFrame() = frame->mFrame;
  SetWindowLongPtrW(frame->mFrame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame.Get()));
  if (HMENU const menu = CreateFrameMenu()) SetMenu(frame->mFrame, menu);
  RECT area{};
  GetClientRect(frame->mFrame, &area);
  frame->mClient = CreateWindowExW(WS_EX_CLIENTEDGE, kClientClass, L"",
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, area.right,
                                   area.bottom, frame->mFrame, nullptr, GetModuleHandleW(nullptr),
                                   nullptr);
  if (!frame->mClient) return {};
  return frame;
}

void* HostClientFrame::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostClientWindow) return static_cast<IHostClientWindow*>(this);
  return nullptr;
}

void HostClientFrame::Close() noexcept {
  if (mFrame) {
    SetWindowLongPtrW(mFrame, GWLP_USERDATA, 0);
    DestroyWindow(mFrame);  // the menu goes with it
  }
  mFrame = nullptr;
  mClient = nullptr;
  mTarget.Reset();
  mCloseRequest = nullptr;
}

void HostClientFrame::SetCommandTarget(IUnknown* view) noexcept { mTarget = HostPtr<IUnknown>(view); }

void HostClientFrame::FocusView() noexcept {
  if (!mClient || GetActiveWindow() != mFrame) return;
  HWND const view = GetWindow(mClient, GW_CHILD);
  SetFocus(view ? view : mClient);
}

LRESULT CALLBACK HostClientFrame::FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* const frame = reinterpret_cast<HostClientFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // A menu about to open, also for a key that chooses one of its commands.
  if (msg == WM_INITMENUPOPUP && frame) {
    frame->EnableCommands(reinterpret_cast<HMENU>(wParam));
    return 0;
  }
  if (msg == WM_CLOSE && frame && frame->mCloseRequest) {
    // The request may close the frame and let it go: it runs from a copy.
    const std::function<void()> request = frame->mCloseRequest;
    request();
    return 0;
  }
  // The view takes the keys the user types into its frame.
  if (msg == WM_SETFOCUS && frame && frame->mClient) {
    frame->FocusView();
    return 0;
  }
  // A command from the menu or a key has no control window.
  if (msg == WM_COMMAND && lParam == 0) {
    for (const FrameCommand& command : kCommands)
      if (frame && command.id == LOWORD(wParam)) {
        frame->SendToView(command.messageId);
        return 0;
      }
  }
  return FillWithChildProc(window, msg, wParam, lParam);
}

void HostClientFrame::SendToView(uint32_t messageId) noexcept {
  if (!mTarget) return;
  HostPtr<IMessageService> service;
  HostPtr<IMessageRouter> router;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IMessageService, reinterpret_cast<void**>(service.Out()));
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IMessageRouter, reinterpret_cast<void**>(router.Out()));
  HostPtr<IMessage> message;
  if (!service || !router || FAILED(service->CreateMessage(messageId, 0, 0, 0, 0, nullptr, message.Out())) || !message)
    return;
  // The view keeps itself alive while it handles the message; what it answers changes nothing here.
  const HostPtr<IUnknown> target = mTarget;
  router->Deliver(message.Get(), target.Get());
}

void HostClientFrame::EnableCommands(HMENU menu) noexcept {
  HostPtr<ILumoCommandHandler> commands;
  if (mTarget) mTarget->QueryInterface(IID_ILumoCommandHandler, reinterpret_cast<void**>(commands.Out()));
  for (const FrameCommand& command : kCommands) {
    CommandEnabled state;
    if (commands) commands->QueryState(command.stateId, &state);
    // A menu without the command leaves it as it is.
    EnableMenuItem(menu, command.id, MF_BYCOMMAND | (state.Enabled() ? MF_ENABLED : MF_GRAYED));
  }
}

bool HostClientFrame::TranslateKeys(MSG& msg) noexcept {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  HWND const root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  wchar_t name[32] = {};
  if (!root || !GetClassNameW(root, name, 32) || std::wcscmp(name, kFrameClass) != 0) return false;
  return FrameKeys() && TranslateAcceleratorW(root, FrameKeys(), &msg) != 0;
}

HRESULT HostClientFrame::ChooseMenuCommand(HWND frame, const std::wstring& path) noexcept {
  HMENU menu = frame ? GetMenu(frame) : nullptr;
  size_t start = 0;
  while (menu) {
    const size_t bar = path.find(L'|', start);
    const size_t length = (bar == std::wstring::npos ? path.size() : bar) - start;
    UINT id = 0;
    HMENU submenu = nullptr;
    if (!FindItem(menu, path.c_str() + start, length, &id, &submenu)) break;
    if (bar == std::wstring::npos) {
      if (submenu) break;
      if (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) return S_FALSE;
      SendMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
      return S_OK;
    }
    // The menu opens: its commands are enabled as the view says.
    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), 0);
    menu = submenu;
    start = bar + 1;
  }
  return E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE HostClientFrame::GetWindowHandle(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = mClient;
  return mClient ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE HostClientFrame::OnViewDetaching() noexcept {
  ++mDetachNotices;
  if (mRefusals <= 0) return S_OK;
  --mRefusals;
  return S_FALSE;
}

}  // namespace host
