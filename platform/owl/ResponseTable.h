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

#include "platform/owl/EvMessageEntries.h"

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
  NotifyAtChild,  // a control's own WM_COMMAND notification, met by the control first, by code
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
// A control's own notification, run on the control before its parent's entries: void method().
#define EV_NOTIFY_AT_CHILD(code, method) \
  {::OWL::TEventKind::NotifyAtChild, code, 0, OWL_DISPATCH(self_.method(); return 0;)}
#define EV_BN_CLICKED(id, method) EV_CHILD_NOTIFY(id, BN_CLICKED, method)
#define EV_EN_CHANGE(id, method) EV_CHILD_NOTIFY(id, EN_CHANGE, method)
#define EV_EN_KILLFOCUS(id, method) EV_CHILD_NOTIFY(id, EN_KILLFOCUS, method)
#define EV_CBN_SELCHANGE(id, method) EV_CHILD_NOTIFY(id, CBN_SELCHANGE, method)
#define EV_CBN_DROPDOWN(id, method) EV_CHILD_NOTIFY(id, CBN_DROPDOWN, method)
// WM_NOTIFY from a child: LRESULT method(NMHDR&).
#define EV_NOTIFY(id, code, method)                        \
  {::OWL::TEventKind::Notify, static_cast<UINT>(code), id, \
   OWL_DISPATCH(return self_.method(*reinterpret_cast<NMHDR*>(lp_));)}
