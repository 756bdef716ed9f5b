// ATL::CWindowImpl: a window of a class registered for it, whose messages go through the
// derived class's message map (BEGIN_MSG_MAP ... END_MSG_MAP) and whose object hears of the
// window's end in OnFinalMessage. The object is found from the window through a property; no
// code is generated at run time.
//
//   class CBalloon : public ATL::CWindowImpl<CBalloon> {
//    public:
//     static const wchar_t* GetWndClassName() { return L"XPBalloonHelp"; }
//     BEGIN_MSG_MAP(CBalloon)
//       MESSAGE_HANDLER(WM_PAINT, OnPaint)
//     END_MSG_MAP()
//     LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL& handled);
//   };
//
// A handler that sets handled to FALSE lets the message go on to DefWindowProc. Exceptions
// are caught in the window procedure, reported (OWL::ReportBoundaryFailure) and the message
// answered by DefWindowProc.
#pragma once

#include "platform/atl/CWindow.h"

namespace ATL {

class CMessageMap {
 public:
  // TRUE when the map handled the message; result holds its answer.
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD dwMsgMapID = 0) = 0;

 protected:
  ~CMessageMap() = default;
};

class CWindowImplBase : public CWindow, public CMessageMap {
 public:
  CWindowImplBase() = default;
  CWindowImplBase(const CWindowImplBase&) = delete;
  CWindowImplBase& operator=(const CWindowImplBase&) = delete;
  // Destroys a window still open (OnFinalMessage then runs on this base only).
  virtual ~CWindowImplBase();

  // Called once the window is gone (after WM_NCDESTROY); the object may delete itself here.
  virtual void OnFinalMessage(HWND hWnd);

 protected:
  // Registers the class (once per name) with classStyle, an arrow cursor and no background
  // brush, then creates the window; null on failure.
  HWND CreateOfClass(const wchar_t* className, UINT classStyle, HWND parent, const RECT* rect,
                     const wchar_t* name, DWORD style, DWORD exStyle);

 private:
  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
};

template <class T>
class CWindowImpl : public CWindowImplBase {
 public:
  // The class is T::GetWndClassName() with T::GetWndClassStyle() (CS_DBLCLKS unless T says
  // otherwise).
  static UINT GetWndClassStyle() noexcept { return CS_DBLCLKS; }

  HWND Create(HWND parent, const RECT* rect = nullptr, const wchar_t* name = nullptr,
              DWORD style = WS_POPUP, DWORD exStyle = 0) {
    return CreateOfClass(T::GetWndClassName(), T::GetWndClassStyle(), parent, rect, name, style, exStyle);
  }
};

}  // namespace ATL

#define BEGIN_MSG_MAP(cls)                                                                   \
 public:                                                                                     \
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,             \
                            LRESULT& lResult, DWORD dwMsgMapID = 0) override {              \
    (void)hWnd;                                                                              \
    (void)dwMsgMapID;                                                                        \
    BOOL bHandled = TRUE;

// LRESULT func(UINT msg, WPARAM, LPARAM, BOOL& handled).
#define MESSAGE_HANDLER(msg, func)                    \
  if (uMsg == (msg)) {                                \
    bHandled = TRUE;                                  \
    lResult = func(uMsg, wParam, lParam, bHandled);   \
    if (bHandled) return TRUE;                        \
  }

// Messages first to last inclusive.
#define MESSAGE_RANGE_HANDLER(first, last, func)      \
  if (uMsg >= (first) && uMsg <= (last)) {            \
    bHandled = TRUE;                                  \
    lResult = func(uMsg, wParam, lParam, bHandled);   \
    if (bHandled) return TRUE;                        \
  }

#define END_MSG_MAP() \
  return FALSE;       \
  }
