// Whether a control shows its whole text, measured in its own font as the control draws it:
// statics with DrawText in their format, check boxes and radio buttons beside their box, and
// single-line edits inside their formatting rectangle.
#pragma once

#include <windows.h>

#include <string>

namespace textfit {

// The DrawText format a static of this style draws with; 0 for one that draws no text.
inline UINT StaticFormat(LONG style) {
  UINT format = 0;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: format = DT_LEFT | DT_WORDBREAK; break;
    case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_SINGLELINE; break;
    default: return 0;
  }
  return format | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
}

inline bool IsCheckOrRadio(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return (style & BS_PUSHLIKE) == 0;
    default: return false;
  }
}

// "text" needs w x h, has w x h, when the control cuts its text; empty when it shows it whole
// or is of no kind measured here.
inline std::wstring CutText(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  wchar_t kind[32] = {};
  GetClassNameW(control, kind, 32);
  const bool button = _wcsicmp(kind, L"Button") == 0 && IsCheckOrRadio(style);
  const bool edit = _wcsicmp(kind, L"Edit") == 0 && !(style & ES_MULTILINE);
  UINT format = button ? DT_SINGLELINE : edit ? DT_SINGLELINE | DT_NOPREFIX : 0;
  if (_wcsicmp(kind, L"Static") == 0) format = StaticFormat(style);
  wchar_t text[200] = {};
  if (!format || !GetWindowTextW(control, text, 200)) return L"";
  RECT room{};
  GetClientRect(control, &room);
  if (edit) SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  HDC const dc = GetDC(control);
  HGDIOBJ const old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  if (button) {  // the check or radio box and the gap after it, as the button draws them
    INT zero = 0;
    GetCharWidth32W(dc, L'0', L'0', &zero);
    room.left += MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + zero / 2;
  }
  RECT need{0, 0, room.right - room.left, 0};
  DrawTextW(dc, text, -1, &need, format | DT_CALCRECT);
  // A wrapped text's widest line says little: the report gives its width on one line.
  RECT line{0, 0, 0, 0};
  DrawTextW(dc, text, -1, &line, (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (need.right <= room.right - room.left && (edit || need.bottom <= room.bottom - room.top)) return L"";
  return L"\"" + std::wstring(text) + L"\" needs " + std::to_wstring(line.right) + L"x" + std::to_wstring(line.bottom) +
         L", has " + std::to_wstring(room.right - room.left) + L"x" + std::to_wstring(room.bottom - room.top);
}

}  // namespace textfit
