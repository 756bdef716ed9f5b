// Widening a template's layout to its font's true average character width.
#include "platform/uihelpers/DialogWidthFit.h"

#include <cmath>

namespace QOR {

namespace {

// The letters the dialog manager averages over.
constexpr wchar_t kAlphabet[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kAlphabetLength = 52;

int Scaled(int x, double ratio) noexcept { return static_cast<int>(std::lround(x * ratio)); }

// Moves window (in its parent's client coordinates) to its scaled place, keeping its height.
void ScaleAcross(HWND window, HWND parent, double ratio) noexcept {
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
  const int left = Scaled(place.left, ratio);
  SetWindowPos(window, nullptr, left, place.top, Scaled(place.right, ratio) - left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// Grows the dialog's own window by what its client area gains; a centred dialog stays centred.
void WidenFrame(HWND dialog, double ratio) noexcept {
  RECT client{};
  GetClientRect(dialog, &client);
  const int gain = Scaled(client.right, ratio) - client.right;
  RECT frame{};
  GetWindowRect(dialog, &frame);
  const bool centred = (GetWindowLongW(dialog, GWL_STYLE) & DS_CENTER) != 0;
  POINT corner{frame.left - (centred ? gain / 2 : 0), frame.top};
  if (HWND const parent = GetParent(dialog); parent && (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD))
    ScreenToClient(parent, &corner);
  SetWindowPos(dialog, nullptr, corner.x, corner.y, frame.right - frame.left + gain, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

double AverageCharWidth(HFONT font) noexcept {
  if (!font) return 0;
  HDC const screen = GetDC(nullptr);
  if (!screen) return 0;
  HGDIOBJ const old = SelectObject(screen, font);
  SIZE extent{};
  const BOOL measured = GetTextExtentPoint32W(screen, kAlphabet, kAlphabetLength, &extent);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return measured ? static_cast<double>(extent.cx) / kAlphabetLength : 0;
}

void FitDialogToFontWidth(HWND dialog) noexcept {
  const double average = AverageCharWidth(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT fourUnits{0, 0, 4, 8};
  if (average <= 0 || !MapDialogRect(dialog, &fourUnits) || fourUnits.right <= 0) return;
  const double ratio = average / fourUnits.right;
  if (ratio <= 1.0) return;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ScaleAcross(child, dialog, ratio);
  WidenFrame(dialog, ratio);
}

}  // namespace QOR
