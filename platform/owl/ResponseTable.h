// OWL response tables: each window class's static list of {kind, message or notification
// code, control or command id, dispatcher}, chained to its base class's table. The window
// procedure looks a message up along the chain; the dispatcher cracks the parameters and calls
// the member handler.
//
// In the class:      DECLARE_RESPONSE_TABLE(TMyWindow);   (last in the class body)
// In its .cpp file:  DEFINE_RESPONSE_TABLE1(TMyWindow, TWindow)
//                      EV_WM_SIZE,
//                      EV_COMMAND(CM_COPY, CmCopy),
//                    END_RESPONSE_TABLE;
// A handler may be private: the dispatchers are written inside a member of the class. A class
// that declares no table uses its base's.
#pragma once

#include <windows.h>

#include <cstdint>

namespace OWL {

class TWindow;

enum class TEventKind : uint8_t {
  End,            // closes a table
  Message,        // a window message, matched by message number
  Command,        // WM_COMMAND from a menu, accelerator or a clicked button, matched by id
  CommandEnable,  // the framework's command-enabling query, matched by command id
  ChildNotify,    // WM_COMMAND notification code from a child control, matched by code and id
  Notify,         // WM_NOTIFY, matched by NMHDR code and control id
};

// wParam and lParam as the window procedure received them.
using TDispatcher = LRESULT (*)(TWindow& window, WPARAM wParam, LPARAM lParam);

struct TResponseTableEntry {
  TEventKind Kind;
  UINT Msg;  // message number or notification code
  UINT Id;   // command or control id (0 for messages)
  TDispatcher Dispatch;
};

struct TResponseTable {
  const TResponseTableEntry* Entries;
  const TResponseTable* Base;  // null only for TWindow's own table

  // The first matching entry of this table, then of the base tables in turn; null when none.
  const TResponseTableEntry* Find(TEventKind kind, UINT msg, UINT id) const noexcept;
};

// The framework's own messages, sent with TWindow::HandleMessage or SendMessage.
inline constexpr UINT WM_CHILDINVALID = 0x7FFE;    // wParam: the invalid child's HWND
inline constexpr UINT WM_COMMAND_ENABLE = 0x7FFF;  // lParam: TCommandEnabler*

}  // namespace OWL

#define DECLARE_RESPONSE_TABLE(cls)                               \
 public:                                                          \
  static const ::OWL::TResponseTable& ResponseTableOf();          \
  const ::OWL::TResponseTable& GetResponseTable() const override; \
                                                                  \
 private:                                                         \
  static_assert(true, "")

#define DEFINE_RESPONSE_TABLE1(cls, base)                                              \
  const ::OWL::TResponseTable& cls::GetResponseTable() const { return ResponseTableOf(); } \
  const ::OWL::TResponseTable& cls::ResponseTableOf() {                                \
    using TMyClass = cls;                                                              \
    static const ::OWL::TResponseTable& kBaseTable = base::ResponseTableOf();          \
    static const ::OWL::TResponseTableEntry kEntries[] = {

#define END_RESPONSE_TABLE                                            \
  {::OWL::TEventKind::End, 0, 0, nullptr}                             \
  }                                                                   \
  ;                                                                   \
  static const ::OWL::TResponseTable kTable{kEntries, &kBaseTable};   \
  return kTable;                                                      \
  }                                                                   \
  static_assert(true, "")

// A dispatcher body with self_ (the object), wp_ and lp_ in scope.
#define OWL_DISPATCH(...)                                                          \
  [](::OWL::TWindow& w_, WPARAM wp_, LPARAM lp_) -> LRESULT {                      \
    auto& self_ = static_cast<TMyClass&>(w_);                                      \
    (void)self_;                                                                   \
    (void)wp_;                                                                     \
    (void)lp_;                                                                     \
    __VA_ARGS__                                                                    \
  }

#define OWL_MSG_ENTRY(msg, ...) {::OWL::TEventKind::Message, msg, 0, OWL_DISPATCH(__VA_ARGS__)}
#define OWL_POINT_OF(lp) ::OWL::TPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)))

// Any message: LRESULT method(WPARAM, LPARAM).
#define EV_MESSAGE(msg, method) OWL_MSG_ENTRY(msg, return self_.method(wp_, lp_);)
// Commands: void method(); with the id: void method(UINT id).
#define EV_COMMAND(id, method) \
  {::OWL::TEventKind::Command, 0, id, OWL_DISPATCH(self_.method(); return 0;)}
#define EV_COMMAND_AND_ID(id, method) \
  {::OWL::TEventKind::Command, 0, id, OWL_DISPATCH(self_.method(LOWORD(wp_)); return 0;)}
// void method(TCommandEnabler&).
#define EV_COMMAND_ENABLE(id, method)                    \
  {::OWL::TEventKind::CommandEnable, 0, id,              \
   OWL_DISPATCH(self_.method(*reinterpret_cast<::OWL::TCommandEnabler*>(lp_)); return 0;)}
// A child control's WM_COMMAND notification: void method().
#define EV_CHILD_NOTIFY(id, code, method) \
  {::OWL::TEventKind::ChildNotify, code, id, OWL_DISPATCH(self_.method(); return 0;)}
#define EV_BN_CLICKED(id, method) EV_CHILD_NOTIFY(id, BN_CLICKED, method)
#define EV_EN_CHANGE(id, method) EV_CHILD_NOTIFY(id, EN_CHANGE, method)
#define EV_EN_KILLFOCUS(id, method) EV_CHILD_NOTIFY(id, EN_KILLFOCUS, method)
#define EV_CBN_SELCHANGE(id, method) EV_CHILD_NOTIFY(id, CBN_SELCHANGE, method)
#define EV_CBN_DROPDOWN(id, method) EV_CHILD_NOTIFY(id, CBN_DROPDOWN, method)
// WM_NOTIFY from a child: LRESULT method(NMHDR&).
#define EV_NOTIFY(id, code, method)                        \
  {::OWL::TEventKind::Notify, static_cast<UINT>(code), id, \
   OWL_DISPATCH(return self_.method(*reinterpret_cast<NMHDR*>(lp_));)}

// Cracked window messages, calling the handler of the same name (TWindow declares them all
// with their default behaviour).
#define EV_WM_SIZE \
  OWL_MSG_ENTRY(WM_SIZE, self_.EvSize(static_cast<UINT>(wp_), ::OWL::TSize(LOWORD(lp_), HIWORD(lp_))); return 0;)
#define EV_WM_MOVE OWL_MSG_ENTRY(WM_MOVE, self_.EvMove(OWL_POINT_OF(lp_)); return 0;)
#define EV_WM_PAINT OWL_MSG_ENTRY(WM_PAINT, self_.EvPaint(); return 0;)
#define EV_WM_ERASEBKGND \
  OWL_MSG_ENTRY(WM_ERASEBKGND, return self_.EvEraseBkgnd(reinterpret_cast<HDC>(wp_)) ? 1 : 0;)
#define OWL_MOUSE_ENTRY(msg, method) \
  OWL_MSG_ENTRY(msg, self_.method(static_cast<UINT>(wp_), OWL_POINT_OF(lp_)); return 0;)
#define EV_WM_LBUTTONDOWN OWL_MOUSE_ENTRY(WM_LBUTTONDOWN, EvLButtonDown)
#define EV_WM_LBUTTONUP OWL_MOUSE_ENTRY(WM_LBUTTONUP, EvLButtonUp)
#define EV_WM_LBUTTONDBLCLK OWL_MOUSE_ENTRY(WM_LBUTTONDBLCLK, EvLButtonDblClk)
#define EV_WM_RBUTTONDOWN OWL_MOUSE_ENTRY(WM_RBUTTONDOWN, EvRButtonDown)
#define EV_WM_RBUTTONUP OWL_MOUSE_ENTRY(WM_RBUTTONUP, EvRButtonUp)
#define EV_WM_MOUSEMOVE OWL_MOUSE_ENTRY(WM_MOUSEMOVE, EvMouseMove)
#define EV_WM_MOUSEWHEEL                                                                   \
  OWL_MSG_ENTRY(WM_MOUSEWHEEL, self_.EvMouseWheel(LOWORD(wp_), static_cast<short>(HIWORD(wp_)), \
                                                  OWL_POINT_OF(lp_)); return 0;)
#define EV_WM_MOUSELEAVE OWL_MSG_ENTRY(WM_MOUSELEAVE, self_.EvMouseLeave(); return 0;)
#define OWL_KEY_ENTRY(msg, method)                                                    \
  OWL_MSG_ENTRY(msg, self_.method(static_cast<UINT>(wp_), LOWORD(lp_), HIWORD(lp_)); return 0;)
#define EV_WM_KEYDOWN OWL_KEY_ENTRY(WM_KEYDOWN, EvKeyDown)
#define EV_WM_KEYUP OWL_KEY_ENTRY(WM_KEYUP, EvKeyUp)
#define EV_WM_CHAR OWL_KEY_ENTRY(WM_CHAR, EvChar)
#define EV_WM_SYSKEYDOWN OWL_KEY_ENTRY(WM_SYSKEYDOWN, EvSysKeyDown)
#define EV_WM_TIMER OWL_MSG_ENTRY(WM_TIMER, self_.EvTimer(static_cast<UINT>(wp_)); return 0;)
#define EV_WM_SETFOCUS OWL_MSG_ENTRY(WM_SETFOCUS, self_.EvSetFocus(reinterpret_cast<HWND>(wp_)); return 0;)
#define EV_WM_KILLFOCUS OWL_MSG_ENTRY(WM_KILLFOCUS, self_.EvKillFocus(reinterpret_cast<HWND>(wp_)); return 0;)
#define OWL_SCROLL_ENTRY(msg, method)                                      \
  OWL_MSG_ENTRY(msg, self_.method(LOWORD(wp_), static_cast<short>(HIWORD(wp_)), \
                                  reinterpret_cast<HWND>(lp_)); return 0;)
#define EV_WM_HSCROLL OWL_SCROLL_ENTRY(WM_HSCROLL, EvHScroll)
#define EV_WM_VSCROLL OWL_SCROLL_ENTRY(WM_VSCROLL, EvVScroll)
#define EV_WM_DRAWITEM                                                                   \
  OWL_MSG_ENTRY(WM_DRAWITEM, self_.EvDrawItem(static_cast<UINT>(wp_),                    \
                                              *reinterpret_cast<DRAWITEMSTRUCT*>(lp_)); return 1;)
#define EV_WM_MEASUREITEM                                                                      \
  OWL_MSG_ENTRY(WM_MEASUREITEM, self_.EvMeasureItem(static_cast<UINT>(wp_),                    \
                                                    *reinterpret_cast<MEASUREITEMSTRUCT*>(lp_)); return 1;)
#define OWL_CTLCOLOR_ENTRY(msg, type)                                                              \
  OWL_MSG_ENTRY(msg, return reinterpret_cast<LRESULT>(self_.EvCtlColor(                            \
                         reinterpret_cast<HDC>(wp_), reinterpret_cast<HWND>(lp_), type));)
#define EV_WM_CTLCOLORSTATIC OWL_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
#define EV_WM_CTLCOLOREDIT OWL_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)
#define EV_WM_CTLCOLORBTN OWL_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)
#define EV_WM_CTLCOLORDLG OWL_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG)
#define EV_WM_CTLCOLORLISTBOX OWL_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)
#define EV_WM_SETCURSOR                                                                           \
  OWL_MSG_ENTRY(WM_SETCURSOR, return self_.EvSetCursor(reinterpret_cast<HWND>(wp_), LOWORD(lp_), \
                                                       HIWORD(lp_)) ? 1 : 0;)
#define EV_WM_GETDLGCODE \
  OWL_MSG_ENTRY(WM_GETDLGCODE, return self_.EvGetDlgCode(reinterpret_cast<const MSG*>(lp_));)
#define EV_WM_CONTEXTMENU                                                                  \
  OWL_MSG_ENTRY(WM_CONTEXTMENU, self_.EvContextMenu(reinterpret_cast<HWND>(wp_),           \
                                                    static_cast<short>(LOWORD(lp_)),       \
                                                    static_cast<short>(HIWORD(lp_))); return 0;)
#define EV_WM_ENABLE OWL_MSG_ENTRY(WM_ENABLE, self_.EvEnable(wp_ != 0); return 0;)
#define EV_WM_SHOWWINDOW \
  OWL_MSG_ENTRY(WM_SHOWWINDOW, self_.EvShowWindow(wp_ != 0, static_cast<UINT>(lp_)); return 0;)
#define EV_WM_CAPTURECHANGED \
  OWL_MSG_ENTRY(WM_CAPTURECHANGED, self_.EvCaptureChanged(reinterpret_cast<HWND>(lp_)); return 0;)
#define EV_WM_THEMECHANGED OWL_MSG_ENTRY(WM_THEMECHANGED, self_.EvThemeChanged(); return 0;)
#define EV_WM_SYSCOLORCHANGE OWL_MSG_ENTRY(WM_SYSCOLORCHANGE, self_.EvSysColorChange(); return 0;)
#define EV_WM_CLOSE OWL_MSG_ENTRY(WM_CLOSE, self_.EvClose(); return 0;)
#define EV_WM_DESTROY OWL_MSG_ENTRY(WM_DESTROY, self_.EvDestroy(); return 0;)
#define EV_WM_CHILDINVALID \
  OWL_MSG_ENTRY(::OWL::WM_CHILDINVALID, self_.EvChildInvalid(reinterpret_cast<HWND>(wp_)); return 0;)
