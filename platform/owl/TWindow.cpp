// OWL::TWindow: construction, creation, children and the window wrappers.
#include "platform/owl/TWindow.h"

#include "base/String.h"
#include "base/XQOR.h"
#include "platform/owl/OwlPrivate.h"
#include "platform/owl/TApplication.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TModule.h"

#include <algorithm>

namespace OWL {

TWindow::TWindow(TWindow* parent, const wchar_t* title, TModule* module)
    : Title(title ? title : L""), mParent(parent), mModule(module) {
  if (parent) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
    parent->AddChild(this);
  } else {
    Attr.Style = WS_OVERLAPPEDWINDOW;
    Attr.X = Attr.Y = Attr.W = Attr.H = CW_USEDEFAULT;
  }
}

TWindow::TWindow(HWND handle, TModule* module) : mModule(module) { AttachAlias(handle); }

void TWindow::AttachAlias(HWND handle) {
  if (TWindow* const inner = GetWindowPtr(handle))
    ChainOver(handle, inner);
  else
    SubclassWindow(handle);
  SetFlag(wfAlias | wfSetupDone);
  Attr.Style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
  Attr.ExStyle = static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE));
  Attr.Id = GetDlgCtrlID(handle);
  Title = GetWindowText();
}

// Unbinds first, so that the destroy messages of this window never reach a half-destroyed
// object; the children are still whole and get theirs.
TWindow::~TWindow() {
  HWND const handle = mHandle;
  Unbind();
  if (handle && !IsFlagSet(wfAlias)) DestroyWindow(handle);
  while (!mChildren.empty()) delete mChildren.back();
  if (mParent) mParent->RemoveChild(this);
  if (TApplication::GetMainWindow() == this) TApplication::SetMainWindow(nullptr);
}

void TWindow::AddChild(TWindow* child) { mChildren.push_back(child); }

void TWindow::RemoveChild(TWindow* child) noexcept {
  mChildren.erase(std::remove(mChildren.begin(), mChildren.end(), child), mChildren.end());
}

void TWindow::SetParent(TWindow* newParent) {
  if (newParent == mParent) return;
  if (newParent) newParent->mChildren.reserve(newParent->mChildren.size() + 1);  // nothing moves half-way
  if (mParent) mParent->RemoveChild(this);
  mParent = newParent;
  if (!newParent) return;
  newParent->AddChild(this);
  if (mHandle && newParent->mHandle) ::SetParent(mHandle, newParent->mHandle);
}

HWND TWindow::GetParentH() const noexcept {
  return mHandle ? GetParent(mHandle) : (mParent ? mParent->GetHandle() : nullptr);
}

TModule* TWindow::GetModule() const noexcept {
  if (mModule) return mModule;
  return mParent ? mParent->GetModule() : &TModule::Default();
}

TWindow* TWindow::ChildWithId(int id) const noexcept {
  for (TWindow* child : mChildren)
    if (child->GetId() == id) return child;
  return nullptr;
}

const wchar_t* TWindow::GetClassName() { return L"OndaraOwlWindow"; }

void TWindow::GetWindowClass(WNDCLASSEXW& wc) {
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &StdWndProc;
  wc.hInstance = TModule::CodeInstance();
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
}

// System classes (BUTTON, EDIT, ...) exist already and are subclassed after creation instead.
void TWindow::RegisterClassIfNeeded() {
  InitCommonControlsOnce();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(TModule::CodeInstance(), GetClassName(), &existing) ||
      GetClassInfoExW(nullptr, GetClassName(), &existing))
    return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  GetWindowClass(wc);
  wc.lpszClassName = GetClassName();
  if (!RegisterClassExW(&wc)) throw XQOR(HRESULT_FROM_WIN32(GetLastError()));
}

static HRESULT LastErrorOr(HRESULT fallback) noexcept {
  DWORD const error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : fallback;
}

bool TWindow::Create() {
  if (mHandle) return true;
  if (IsFlagSet(wfFromResource)) {
    HWND const control = mParent ? ::GetDlgItem(mParent->GetHandle(), Attr.Id) : nullptr;
    if (!control) throw XQOR(HRESULT_FROM_WIN32(ERROR_CONTROL_ID_NOT_FOUND));
    SubclassWindow(control);
  } else {
    RegisterClassIfNeeded();
    HMENU const idOrMenu = (Attr.Style & WS_CHILD)
                               ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(Attr.Id))
                               : nullptr;
    SetLastError(0);
    SetCreatingWindow(this);
    HWND const handle = CreateWindowExW(Attr.ExStyle, GetClassName(), Title.c_str(), Attr.Style,
                                        Attr.X, Attr.Y, Attr.W, Attr.H, GetParentH(), idOrMenu,
                                        TModule::CodeInstance(), Attr.Param);
    SetCreatingWindow(nullptr);
    if (!handle) {
      Unbind();
      throw XQOR(LastErrorOr(E_FAIL));
    }
    if (!mHandle) SubclassWindow(handle);
  }
  try {
    SetupWindow();
  } catch (...) {
    Destroy();
    throw;
  }
  return true;
}

void TWindow::SetupWindow() {
  SetFlag(wfSetupDone);
  CreateChildren();
}

void TWindow::CreateChildren() {
  for (size_t i = 0; i < mChildren.size(); ++i) {
    TWindow* child = mChildren[i];
    if (!child->mHandle && child->IsFlagSet(wfAutoCreate | wfFromResource)) child->Create();
  }
}

void TWindow::CleanupWindow() { SetFlag(wfCleanupDone); }

void TWindow::Destroy(INT_PTR) {
  if (mHandle && !IsFlagSet(wfAlias)) DestroyWindow(mHandle);
}

bool TWindow::CanClose() {
  for (TWindow* child : mChildren)
    if (child->mHandle && !child->CanClose()) return false;
  return true;
}

void TWindow::CloseWindow(INT_PTR returnValue) {
  if (CanClose()) Destroy(returnValue);
}

void TWindow::Paint(TDC&, bool, TRect&) {}

bool TWindow::PreProcessMsg(MSG&) { return false; }

bool TWindow::PreProcessMessage(MSG& msg) {
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    if (TWindow* window = GetWindowPtr(h)) {
      if (window->PreProcessMsg(msg)) return true;
    }
  }
  return false;
}

bool TWindow::EnableWindow(bool enable) { return ::EnableWindow(mHandle, enable) != 0; }

TRect TWindow::GetClientRect() const noexcept {
  TRect r;
  ::GetClientRect(mHandle, &r);
  return r;
}

TRect TWindow::GetWindowRect() const noexcept {
  TRect r;
  ::GetWindowRect(mHandle, &r);
  return r;
}

bool TWindow::MoveWindow(const TRect& r, bool repaint) noexcept {
  return ::MoveWindow(mHandle, r.left, r.top, r.Width(), r.Height(), repaint) != 0;
}

bool TWindow::SetWindowPos(HWND after, const TRect& r, UINT flags) noexcept {
  return ::SetWindowPos(mHandle, after, r.left, r.top, r.Width(), r.Height(), flags) != 0;
}

std::wstring TWindow::GetWindowText() const {
  int const length = GetWindowTextLengthW(mHandle);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int const got = ::GetWindowTextW(mHandle, &text[0], length + 1);
  text.resize(static_cast<size_t>(got));
  return text;
}

DWORD TWindow::GetStyle() const noexcept {
  return mHandle ? static_cast<DWORD>(GetWindowLongW(mHandle, GWL_STYLE)) : Attr.Style;
}

void TWindow::SetStyle(DWORD style) noexcept {
  Attr.Style = style;
  if (mHandle) SetWindowLongW(mHandle, GWL_STYLE, static_cast<LONG>(style));
}

DWORD TWindow::GetExStyle() const noexcept {
  return mHandle ? static_cast<DWORD>(GetWindowLongW(mHandle, GWL_EXSTYLE)) : Attr.ExStyle;
}

void TWindow::SetExStyle(DWORD style) noexcept {
  Attr.ExStyle = style;
  if (mHandle) SetWindowLongW(mHandle, GWL_EXSTYLE, static_cast<LONG>(style));
}

bool TWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) noexcept {
  DWORD const old = GetStyle();
  DWORD const style = (old & ~remove) | add;
  if (style == old) return false;
  SetStyle(style);
  if (swpFlags && mHandle)
    ::SetWindowPos(mHandle, nullptr, 0, 0, 0, 0,
                   swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool TWindow::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags) noexcept {
  DWORD const old = GetExStyle();
  DWORD const style = (old & ~remove) | add;
  if (style == old) return false;
  SetExStyle(style);
  if (swpFlags && mHandle)
    ::SetWindowPos(mHandle, nullptr, 0, 0, 0, 0,
                   swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace OWL
