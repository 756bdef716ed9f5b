// Dialog item rectangles, frame edges and narrow text.
#include "platform/uihelpers/WindowHelpers.h"

#include "platform/owl/TDC.h"

#include <cstring>

namespace QOR {

OWL::TRect GetDialogItemRect(HWND dialog, int id) noexcept {
  OWL::TRect rect;
  HWND const item = GetDlgItem(dialog, id);
  if (!item) return rect;
  GetWindowRect(item, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void DrawFrameEdges(OWL::TDC& dc, const OWL::TRect& r, const OWL::TColor& first,
                    const OWL::TColor& second) {
  dc.TextRect(OWL::TRect(r.left, r.top, r.right - 1, r.top + 1), first);
  dc.TextRect(OWL::TRect(r.left, r.top, r.left + 1, r.bottom - 1), first);
  dc.TextRect(OWL::TRect(r.right - 1, r.top, r.right, r.bottom), second);
  dc.TextRect(OWL::TRect(r.left, r.bottom - 1, r.right, r.bottom), second);
}

std::wstring NarrowToWide(const char* text, int length) {
  if (!text) return {};
  int const units = length < 0 ? static_cast<int>(strlen(text)) : length;
  if (units == 0) return {};
  int const needed = MultiByteToWideChar(CP_ACP, 0, text, units, nullptr, 0);
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, units, &wide[0], needed);
  return wide;
}

}  // namespace QOR
