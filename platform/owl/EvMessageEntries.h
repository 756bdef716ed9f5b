// The EV_WM_ entries of response tables: each cracks one window message's parameters and calls
// the handler of the same name (TWindow declares them all with their default behaviour).
// Included by ResponseTable.h; use that header.
#pragma once

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
