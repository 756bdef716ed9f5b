// OWL::TWindow: a C++ object bound to one window handle. The constructor records the creation
// attributes (Attr); Create makes the window, then SetupWindow runs; CleanupWindow runs when
// the window is destroyed. Messages reach the object through one window procedure and its
// class's response table (ResponseTable.h).
#pragma once

#include "platform/owl/ResponseTable.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/owl/TRect.h"
#include "platform/owl/TResId.h"

#include <windows.h>

#include <string>
#include <vector>

namespace OWL {

class TDC;
class TModule;

struct TWindowAttr {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int W = 0;
  int H = 0;
  int Id = 0;        // child id (the HMENU argument of a child window)
  void* Param = nullptr;
};

enum TWindowFlag : UINT {
  wfAlias = 0x1,            // bound to a window made elsewhere; never destroyed by the object
  wfAutoCreate = 0x2,       // created by the parent's SetupWindow
  wfFromResource = 0x4,     // a control of a dialog template, bound by its id
  wfPredefinedClass = 0x8,  // a system control class: it paints itself
  wfDeleteOnDestroy = 0x10, // the object deletes itself once its window is gone
  wfSetupDone = 0x20,
  wfCleanupDone = 0x40,
  wfSubclassed = 0x80,      // our procedure replaced the class's; restored at unbinding
};

// Ownership: a window object owns the child objects made with it as parent and deletes them
// in its destructor (a child deleted earlier leaves its parent's list). Destroy the window
// before deleting a derived object when its CleanupWindow must run as the derived class's.
//
// Errors: handlers may throw; the window procedure catches every exception, shows its text
// through the modal seam (TModalSeam) and answers the message as unhandled.
class TWindow {
 public:
  TWindow(TWindow* parent, const wchar_t* title = nullptr, TModule* module = nullptr);
  // An alias over an existing window: subclassed at once, never destroyed by this object. Over
  // a window another object is bound to, the alias sees its messages first and hands what it
  // leaves to that object; such an alias must be deleted (or its window destroyed) before the
  // object beneath it.
  explicit TWindow(HWND handle, TModule* module = nullptr);
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();

  TWindowAttr Attr;
  std::wstring Title;

  // The window object of handle, or null.
  static TWindow* GetWindowPtr(HWND handle) noexcept;
  HWND GetHandle() const noexcept { return mHandle; }
  operator HWND() const noexcept { return mHandle; }
  TWindow* GetParentO() const noexcept { return mParent; }
  // Moves this object into newParent's children (so newParent owns it from now on) and, when
  // both have windows, its window under newParent's.
  void SetParent(TWindow* newParent);
  HWND GetParentH() const noexcept;
  TModule* GetModule() const noexcept;
  int GetId() const noexcept { return Attr.Id; }
  TWindow* ChildWithId(int id) const noexcept;
  const std::vector<TWindow*>& GetChildren() const noexcept { return mChildren; }
  bool IsFlagSet(UINT flag) const noexcept { return (mFlags & flag) != 0; }
  void SetFlag(UINT flag) noexcept { mFlags |= flag; }
  void ClearFlag(UINT flag) noexcept { mFlags &= ~flag; }
  void EnableAutoCreate() noexcept { SetFlag(wfAutoCreate); }

  // Life cycle. Create throws XQOR when the window cannot be made; SetupWindow creates the
  // auto-create children; CleanupWindow runs on WM_DESTROY.
  virtual bool Create();
  virtual void Destroy(INT_PTR returnValue = 0);
  virtual void SetupWindow();
  virtual void CleanupWindow();
  virtual bool CanClose();
  // CanClose, then Destroy.
  virtual void CloseWindow(INT_PTR returnValue = 0);
  virtual void Paint(TDC& dc, bool erase, TRect& rect);
  // Keyboard pre-translation for the host's message loop; true when the message was used.
  virtual bool PreProcessMsg(MSG& msg);
  // Runs PreProcessMsg of msg's window object and then of its parents.
  static bool PreProcessMessage(MSG& msg);
  virtual const wchar_t* GetClassName();
  virtual void GetWindowClass(WNDCLASSEXW& windowClass);
  virtual bool EnableWindow(bool enable);

  // Messages: WindowProc dispatches one message through the response table; HandleMessage
  // sends one straight to the object (the framework's own messages: WM_COMMAND_ENABLE,
  // WM_CHILDINVALID), and DefaultProcessing runs the original procedure on the message being
  // handled.
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT DefaultProcessing();
  virtual LRESULT EvCommand(UINT id, HWND control, UINT notifyCode);
  virtual LRESULT EvNotify(UINT id, NMHDR& header);
  virtual void EvCommandEnable(TCommandEnabler& enabler);
  static const TResponseTable& ResponseTableOf();
  virtual const TResponseTable& GetResponseTable() const;

  // Handlers with their default behaviour (the original procedure, unless said otherwise).
  void EvSize(UINT sizeType, const TSize& size);
  void EvMove(const TPoint& clientOrigin);
  // TPaintDC and Paint for windows of our own classes; the original procedure for controls.
  void EvPaint();
  void EvLButtonDown(UINT modKeys, const TPoint& point);
  void EvLButtonUp(UINT modKeys, const TPoint& point);
  void EvLButtonDblClk(UINT modKeys, const TPoint& point);
  void EvRButtonDown(UINT modKeys, const TPoint& point);
  void EvRButtonUp(UINT modKeys, const TPoint& point);
  void EvMouseMove(UINT modKeys, const TPoint& point);
  void EvMouseLeave();
  void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
  void EvChar(UINT key, UINT repeatCount, UINT flags);
  void EvTimer(UINT timerId);
  // Scroll messages from a TScrollBar or TSlider child go to its SB... actions, then to this
  // window's EV_CHILD_NOTIFY entry of the child's id with the scroll code.
  void EvHScroll(UINT code, int thumbPos, HWND control);
  void EvVScroll(UINT code, int thumbPos, HWND control);
  // Owner-draw messages go to the control object's DrawItem and MeasureItem.
  void EvDrawItem(UINT controlId, const DRAWITEMSTRUCT& item);
  void EvMeasureItem(UINT controlId, MEASUREITEMSTRUCT& item);
  bool EvSetCursor(HWND window, UINT hitTest, UINT mouseMsg);
  // CloseWindow.
  void EvClose();
  // CleanupWindow, then the original procedure.
  void EvDestroy();
  // Nothing (a window without validators has no invalid child).
  void EvChildInvalid(HWND child);

  // Thin wrappers of the window functions.
  TRect GetClientRect() const noexcept;
  TRect GetWindowRect() const noexcept;
  void Invalidate(bool erase = true) noexcept { ::InvalidateRect(mHandle, nullptr, erase); }
  void InvalidateRect(const TRect& rect, bool erase = true) noexcept { ::InvalidateRect(mHandle, &rect, erase); }
  void Validate() noexcept { ValidateRect(mHandle, nullptr); }
  void UpdateWindow() noexcept { ::UpdateWindow(mHandle); }
  bool ShowWindow(int command) noexcept { return ::ShowWindow(mHandle, command) != 0; }
  bool MoveWindow(const TRect& rect, bool repaint = false) noexcept;
  bool SetWindowPos(HWND after, const TRect& rect, UINT flags) noexcept;
  void ClientToScreen(TPoint& point) const noexcept { ::ClientToScreen(mHandle, &point); }
  void ScreenToClient(TPoint& point) const noexcept { ::ScreenToClient(mHandle, &point); }
  HWND SetFocus() noexcept { return ::SetFocus(mHandle); }
  HWND SetCapture() noexcept { return ::SetCapture(mHandle); }
  UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) noexcept { return ::SetTimer(mHandle, id, milliseconds, nullptr); }
  bool KillTimer(UINT_PTR id) noexcept { return ::KillTimer(mHandle, id) != 0; }
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept {
    return ::SendMessageW(mHandle, msg, wParam, lParam);
  }
  bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept {
    return ::PostMessageW(mHandle, msg, wParam, lParam) != 0;
  }
  HWND GetDlgItem(int id) const noexcept { return ::GetDlgItem(mHandle, id); }
  std::wstring GetWindowText() const;
  void SetWindowText(const wchar_t* text) noexcept { ::SetWindowTextW(mHandle, text); }
  // The style of the window, or the one it will be created with.
  DWORD GetStyle() const noexcept;
  void SetStyle(DWORD style) noexcept;
  DWORD GetExStyle() const noexcept;
  void SetExStyle(DWORD style) noexcept;
  // Removes, then adds style bits; with swpFlags, SetWindowPos(swpFlags) makes the frame follow.
  bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) noexcept;
  bool ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0) noexcept;
  bool IsWindow() const noexcept { return mHandle && ::IsWindow(mHandle); }
  bool IsWindowEnabled() const noexcept { return ::IsWindowEnabled(mHandle) != 0; }
  bool IsWindowVisible() const noexcept { return ::IsWindowVisible(mHandle) != 0; }
  void SetWindowFont(HFONT font, bool redraw = true) noexcept {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  HFONT GetWindowFont() const noexcept { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

 protected:
  // Binds this object to a window made elsewhere by replacing its procedure.
  void SubclassWindow(HWND handle);
  // Makes this object an alias of handle, a fully created window (as the alias constructor
  // does): subclasses it and reads its style, id and title.
  void AttachAlias(HWND handle);
  // Creates the auto-create children that have no window yet.
  void CreateChildren();

  HWND mHandle = nullptr;

 private:
  void DispatchScroll(UINT code, int thumbPos, HWND control);
  friend class TDialog;
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  friend INT_PTR CALLBACK StdDlgProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  struct TCurrentEvent;

  void Bind(HWND handle, WNDPROC previous) noexcept;
  void ChainOver(HWND handle, TWindow* inner) noexcept;
  void Unbind() noexcept;
  void RegisterClassIfNeeded();
  LRESULT ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void AddChild(TWindow* child);
  void RemoveChild(TWindow* child) noexcept;

  TWindow* mParent = nullptr;
  TModule* mModule = nullptr;
  std::vector<TWindow*> mChildren;
  UINT mFlags = 0;
  WNDPROC mPrevProc = nullptr;
  TWindow* mInner = nullptr;  // the object an alias was chained over
  TCurrentEvent* mCurrent = nullptr;
  int mDispatchDepth = 0;
  bool mDeletePending = false;
};

// The procedure of every window class the framework registers.
LRESULT CALLBACK StdWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace OWL
