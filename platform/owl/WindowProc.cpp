// OWL::StdWndProc and the message path of TWindow: binding a handle to its object, dispatch
// through the response tables, default processing, and the boundary that no exception
// crosses.
#include "platform/owl/TWindow.h"

#include "base/String.h"
#include "base/XQOR.h"
#include "hostapi/MessagePreTranslation.h"
#include "platform/owl/BoundaryFailure.h"
#include "platform/owl/OwlPrivate.h"
#include "platform/owl/TModalSeam.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace OWL {

// The object bound to a window is kept in a window property.
static const wchar_t kWindowProperty[] = L"OndaraOwlWindow";
// The object whose own-class window is being created, bound at its first message.
static TWindow* gCreating = nullptr;

struct TWindow::TCurrentEvent {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  bool Defaulted = false;
  LRESULT DefaultResult = 0;
};

void SetCreatingWindow(TWindow* window) noexcept { gCreating = window; }

// The host's loop asks each window of a message's chain whether it takes the message.
static UINT PreTranslateMessageId() noexcept {
  static const UINT id = RegisterWindowMessageW(kPreTranslateMessageName);
  return id;
}

void InitCommonControlsOnce() noexcept {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  done = InitCommonControlsEx(&init) != FALSE;
}

TWindow* TWindow::GetWindowPtr(HWND handle) noexcept {
  return handle ? static_cast<TWindow*>(GetPropW(handle, kWindowProperty)) : nullptr;
}

// A new window starts a new life: set-up and clean-up are owed to it again.
void TWindow::Bind(HWND handle, WNDPROC previous) noexcept {
  ClearFlag(wfSetupDone | wfCleanupDone);
  mHandle = handle;
  mPrevProc = previous;
  SetPropW(handle, kWindowProperty, this);
}

void TWindow::SubclassWindow(HWND handle) {
  if (GetWindowPtr(handle)) throw XQOR(QOR::String(L"window already bound"), E_UNEXPECTED);
  Bind(handle, nullptr);
  mPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc)));
  SetFlag(wfSubclassed);
}

// The window procedure stays StdWndProc: only the property moves to the alias.
void TWindow::ChainOver(HWND handle, TWindow* inner) noexcept {
  Bind(handle, nullptr);
  mInner = inner;
}

void TWindow::Unbind() noexcept {
  if (!mHandle) return;
  if (mInner) {
    // Once the object beneath has unbound itself (its window going away) the property is gone.
    if (GetPropW(mHandle, kWindowProperty) == this) SetPropW(mHandle, kWindowProperty, mInner);
    mInner = nullptr;
    mHandle = nullptr;
    return;
  }
  if (IsFlagSet(wfSubclassed) &&
      GetWindowLongPtrW(mHandle, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StdWndProc))
    SetWindowLongPtrW(mHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mPrevProc));
  RemovePropW(mHandle, kWindowProperty);
  ClearFlag(wfSubclassed);
  mHandle = nullptr;
}

void ReportBoundaryFailure(HWND owner) noexcept {
  try {
    std::wstring text;
    try {
      throw;
    } catch (const XQOR& e) {
      text = e.GetMessage().GetText();
    } catch (const std::exception& e) {
      text = QOR::String(e.what()).GetText();
    } catch (...) {
      text = XQOR::LookupMessage(E_UNEXPECTED).GetText();
    }
    TModalSeam::Current().MessageBox(owner, text.c_str(), nullptr, MB_OK | MB_ICONHAND);
  } catch (...) {
    MessageBeep(MB_ICONHAND);
  }
}

LRESULT TWindow::ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TCurrentEvent event{msg, wParam, lParam};
  TCurrentEvent* const saved = mCurrent;
  mCurrent = &event;
  ++mDispatchDepth;
  LRESULT result = 0;
  if (msg == WM_NCDESTROY) {
    result = DefaultProcessing();
    Unbind();
    if (IsFlagSet(wfDeleteOnDestroy)) mDeletePending = true;
  } else {
    try {
      if (msg != 0 && msg == PreTranslateMessageId()) {
        MSG* const queued = reinterpret_cast<MSG*>(lParam);
        result = queued && PreProcessMsg(*queued) ? kMessagePreTranslated : 0;
      } else {
        result = WindowProc(msg, wParam, lParam);
      }
    } catch (...) {
      ReportBoundaryFailure(GetAncestor(mHandle, GA_ROOT));
      result = DefaultProcessing();
    }
  }
  mCurrent = saved;
  // A window destroyed from inside one of its own handlers is deleted once the outermost
  // message returns, so that no handler runs on a deleted object.
  if (--mDispatchDepth == 0 && mDeletePending) delete this;
  return result;
}

LRESULT CALLBACK StdWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TWindow* window = TWindow::GetWindowPtr(handle);
  if (!window && gCreating) {
    window = gCreating;
    gCreating = nullptr;
    window->Bind(handle, &DefWindowProcW);
  }
  if (!window) return DefWindowProcW(handle, msg, wParam, lParam);
  return window->ReceiveMessage(msg, wParam, lParam);
}

LRESULT TWindow::DefaultProcessing() {
  if (!mCurrent || !mHandle) return 0;
  if (mCurrent->Defaulted) return mCurrent->DefaultResult;
  mCurrent->Defaulted = true;
  if (mInner) {
    mCurrent->DefaultResult = mInner->ReceiveMessage(mCurrent->Msg, mCurrent->WParam, mCurrent->LParam);
    return mCurrent->DefaultResult;
  }
  WNDPROC const proc = mPrevProc ? mPrevProc : &DefWindowProcW;
  mCurrent->DefaultResult =
      CallWindowProcW(proc, mHandle, mCurrent->Msg, mCurrent->WParam, mCurrent->LParam);
  return mCurrent->DefaultResult;
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  TCurrentEvent event{msg, wParam, lParam};
  TCurrentEvent* const saved = mCurrent;
  mCurrent = &event;
  struct Restore {
    TWindow* self;
    TCurrentEvent* saved;
    ~Restore() { self->mCurrent = saved; }
  } restore{this, saved};
  return WindowProc(msg, wParam, lParam);
}

LRESULT TWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      return EvCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      return header ? EvNotify(static_cast<UINT>(header->idFrom), *header) : DefaultProcessing();
    }
    case WM_COMMAND_ENABLE:
      if (lParam) EvCommandEnable(*reinterpret_cast<TCommandEnabler*>(lParam));
      return 0;
    default:
      break;
  }
  const TResponseTableEntry* entry = GetResponseTable().Find(TEventKind::Message, msg, 0);
  return entry ? entry->Dispatch(*this, wParam, lParam) : DefaultProcessing();
}

// A control's notification first runs the control's own EV_NOTIFY_AT_CHILD entry (when the
// control is one of ours), then finds this window's EV_CHILD_NOTIFY entry; a click or a menu or
// accelerator command (codes 0 and 1) also finds the EV_COMMAND entry of its id.
LRESULT TWindow::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const TResponseTable& table = GetResponseTable();
  const TResponseTableEntry* entry = nullptr;
  TWindow* const child = control ? GetWindowPtr(control) : nullptr;
  if (child && child != this) {
    if (const TResponseTableEntry* own = child->GetResponseTable().Find(TEventKind::NotifyAtChild, notifyCode, 0))
      own->Dispatch(*child, MAKEWPARAM(id, notifyCode), reinterpret_cast<LPARAM>(control));
  }
  if (control) entry = table.Find(TEventKind::ChildNotify, notifyCode, id);
  if (!entry && notifyCode <= 1) entry = table.Find(TEventKind::Command, 0, id);
  if (!entry) return DefaultProcessing();
  return entry->Dispatch(*this, mCurrent ? mCurrent->WParam : MAKEWPARAM(id, notifyCode),
                         reinterpret_cast<LPARAM>(control));
}

LRESULT TWindow::EvNotify(UINT id, NMHDR& header) {
  const TResponseTableEntry* entry = GetResponseTable().Find(TEventKind::Notify, header.code, id);
  if (!entry) return DefaultProcessing();
  return entry->Dispatch(*this, id, reinterpret_cast<LPARAM>(&header));
}

void TWindow::EvCommandEnable(TCommandEnabler& enabler) {
  const TResponseTableEntry* entry =
      GetResponseTable().Find(TEventKind::CommandEnable, 0, enabler.GetId());
  if (entry) entry->Dispatch(*this, 0, reinterpret_cast<LPARAM>(&enabler));
}

const TResponseTableEntry* TResponseTable::Find(TEventKind kind, UINT msg, UINT id) const noexcept {
  for (const TResponseTable* table = this; table; table = table->Base) {
    for (const TResponseTableEntry* e = table->Entries; e->Kind != TEventKind::End; ++e) {
      if (e->Kind == kind && e->Msg == msg && e->Id == id) return e;
    }
  }
  return nullptr;
}

}  // namespace OWL
