// QORControls::StaticTextErrorProvider: placing the label's error icon beside its text.
#include "controls/StaticTextErrorProvider.h"

#include <algorithm>

namespace QORControls {

DEFINE_RESPONSE_TABLE1(StaticTextErrorProvider, OWL::TStatic)
  EV_WM_MOVE,
END_RESPONSE_TABLE;

StaticTextErrorProvider::MoveableErrProv::MoveableErrProv(OWL::TWindow* parent, int x, int y)
    : ErrorProvider(parent, 1, x, y, 12, 12, epBalloon | epError) {}

StaticTextErrorProvider::StaticTextErrorProvider(OWL::TWindow* parent, int id)
    : OWL::TStatic(parent, id), mIcon(new MoveableErrProv(parent, Attr.X, Attr.Y)) {}

// The parent may have deleted the icon already (it deletes its children last made first).
StaticTextErrorProvider::~StaticTextErrorProvider() {
  OWL::TWindow* const parent = GetParentO();
  if (!parent) {
    delete mIcon;
    return;
  }
  const std::vector<OWL::TWindow*>& children = parent->GetChildren();
  if (std::find(children.begin(), children.end(), mIcon) != children.end()) delete mIcon;
}

POINT StaticTextErrorProvider::IconPosition(const RECT& label, int textWidth, bool hasText, int iconHeight) noexcept {
  if (!hasText) return POINT{label.left, label.top};
  int const height = label.bottom - label.top;
  return POINT{label.left + textWidth + 5, label.top + 1 + (height - iconHeight) / 2};
}

void StaticTextErrorProvider::SetText(const wchar_t* text) {
  OWL::TStatic::SetText(text);
  if (PlaceIcon()) {
    Invalidate();
    mIcon->Invalidate();
  }
}

void StaticTextErrorProvider::SetError(QOR::String title, bool show, QOR::String text) {
  mIcon->SetError(title, show, text);
}

void StaticTextErrorProvider::SetupWindow() {
  OWL::TWindow::SetupWindow();
  PlaceIcon();
}

void StaticTextErrorProvider::EvMove(const OWL::TPoint& clientOrigin) {
  OWL::TWindow::EvMove(clientOrigin);
  if (PlaceIcon()) {
    Invalidate();
    mIcon->Invalidate();
  }
}

bool StaticTextErrorProvider::PlaceIcon() {
  if (!mHandle) return false;
  // The label is set up before the parent creates the icon, its later sibling.
  if (!mIcon->GetHandle()) mIcon->Create();
  std::wstring const text = GetText();
  SIZE extent{0, 0};
  if (HDC const dc = GetDC(mHandle)) {
    HFONT font = GetWindowFont();
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HGDIOBJ const old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(mHandle, dc);
  }
  HWND const parent = GetParentH();
  RECT label = GetWindowRect();
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&label), 2);
  RECT icon = mIcon->GetWindowRect();
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&icon), 2);
  POINT const place = IconPosition(label, extent.cx, !text.empty(), icon.bottom - icon.top);
  if (place.x == icon.left && place.y == icon.top) return false;
  ::SetWindowPos(mIcon->GetHandle(), nullptr, place.x, place.y, icon.right - icon.left, icon.bottom - icon.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return true;
}

}  // namespace QORControls
