// QORControls::MenuCombo: separators, index mapping, drawing and the list window's keys.
#include "controls/MenuCombo.h"

#include "platform/owl/TModule.h"
#include "platform/uihelpers/DialogFonts.h"

#include <algorithm>

namespace QORControls {

namespace MenuComboIndex {

static bool Contains(const std::vector<int>& separators, int entry) noexcept {
  return std::find(separators.begin(), separators.end(), entry) != separators.end();
}

int Selectable(int entry, const std::vector<int>& separators) noexcept {
  if (entry < 1) return entry;
  return entry - static_cast<int>(std::count_if(separators.begin(), separators.end(), [&](int s) { return s < entry; }));
}

int Entry(int n, const std::vector<int>& separators, int count) noexcept {
  if (n < 0) return -1;
  int target = n;
  for (int i = 0; i <= target; ++i) {
    if (i >= count) return -1;
    if (Contains(separators, i)) ++target;
  }
  return target < count ? target : -1;
}

int BeforeUp(int current, const std::vector<int>& separators) noexcept {
  for (int i = current; i >= 1; --i)
    if (!Contains(separators, i - 1)) return i;
  return kSwallow;
}

int BeforeDown(int current, const std::vector<int>& separators, int count) noexcept {
  int const last = count - 1;
  if (current >= last) return kSwallow;
  for (int i = current; i < last; ++i)
    if (!Contains(separators, i + 1)) return i;
  return kSwallow;
}

}  // namespace MenuComboIndex

// The drop-down list, bound to the existing list window.
class MenuCombo::MenuComboLBox : public OWL::TWindow {
 public:
  // The system's list class paints itself (its items through the combo box's owner).
  MenuComboLBox(HWND list, MenuCombo& combo) : OWL::TWindow(list), mCombo(combo) { SetFlag(OWL::wfPredefinedClass); }
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (mCombo.FilterListMessage(GetHandle(), msg, wParam, lParam)) return 0;
    return OWL::TWindow::WindowProc(msg, wParam, lParam);
  }

 private:
  MenuCombo& mCombo;
};

MenuCombo::MenuCombo(OWL::TWindow* parent) : MenuCombo(parent, kControlId) {}

MenuCombo::MenuCombo(OWL::TWindow* parent, int resourceId) : OWL::TComboBox(parent, resourceId, 0) {
  Attr.Style &= ~static_cast<DWORD>(0x000F | CBS_SORT);
  Attr.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
}

MenuCombo::~MenuCombo() = default;

void MenuCombo::GetWindowClass(WNDCLASSEXW& wc) {
  WNDCLASSEXW system{};
  system.cbSize = sizeof system;
  if (GetClassInfoExW(nullptr, L"ComboBox", &system)) {
    wc = system;
    wc.hInstance = OWL::TModule::CodeInstance();
    return;
  }
  OWL::TComboBox::GetWindowClass(wc);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

int MenuCombo::InsertString(const wchar_t* text, int index) noexcept {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

void MenuCombo::ClearList() noexcept {
  SendMessage(CB_RESETCONTENT);
  mSeparators.clear();
}

void MenuCombo::MarkSeparator(int index) {
  if (!IsSeparator(index)) mSeparators.push_back(index);
}

bool MenuCombo::IsSeparator(int index) const noexcept {
  return std::find(mSeparators.begin(), mSeparators.end(), index) != mSeparators.end();
}

int MenuCombo::GetSelItemIndex() const noexcept { return MenuComboIndex::Selectable(GetSelIndex(), mSeparators); }

int MenuCombo::SetSelItemIndex(int n) noexcept {
  int const entry = MenuComboIndex::Entry(n, mSeparators, GetCount());
  if (entry < 0) return -1;
  return SetSelIndex(entry);
}

void MenuCombo::SetupWindow() {
  OWL::TComboBox::SetupWindow();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(GetHandle(), &info) && info.hwndList) mList = std::make_unique<MenuComboLBox>(info.hwndList, *this);
}

HFONT MenuCombo::CreateItemFont(bool separator) const {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  HDC const screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(QOR::UserInterfacePointSize(), GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font.lfWeight = separator ? FW_BOLD : FW_NORMAL;
  font.lfItalic = separator ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

void MenuCombo::MeasureItem(MEASUREITEMSTRUCT& item) {
  HFONT const font = CreateItemFont(IsSeparator(static_cast<int>(item.itemID)));
  MeasureWithFont(item, font);
  DeleteObject(font);
}

void MenuCombo::MeasureWithFont(MEASUREITEMSTRUCT& item, HFONT font) {
  HDC const dc = GetDC(GetHandle());
  HGDIOBJ const old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
  item.itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading + 2);
  if (!mItemHeightSet && GetHandle()) {
    mItemHeightSet = true;
    SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item.itemHeight);
  }
}

void MenuCombo::DrawSeparatorLine(HDC dc, const RECT& rect) {
  HPEN const pen = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
  HGDIOBJ const oldPen = SelectObject(dc, pen);
  int const y = (rect.top + rect.bottom) / 2;
  MoveToEx(dc, rect.left + 2, y, nullptr);
  LineTo(dc, rect.right - 2, y);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void MenuCombo::DrawItem(const DRAWITEMSTRUCT& item) {
  int const index = static_cast<int>(item.itemID);
  if (index < 0) return;
  bool const separator = IsSeparator(index);
  std::wstring const text = GetString(index);
  HDC const dc = item.hDC;
  RECT rect = item.rcItem;
  HFONT const font = CreateItemFont(separator);
  HGDIOBJ const oldFont = SelectObject(dc, font);
  if (separator && text.empty()) {
    DrawSeparatorLine(dc, rect);
  } else {
    bool const selected = !separator && (item.itemState & ODS_SELECTED);
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    std::wstring const shown = (separator ? L" " : L"  ") + text;
    DrawTextW(dc, shown.c_str(), -1, &rect, 0x8024);
    if (!separator && (item.itemState & (ODS_SELECTED | ODS_FOCUS)) == (ODS_SELECTED | ODS_FOCUS))
      DrawFocusRect(dc, &item.rcItem);
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

bool MenuCombo::FilterListMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
  int const current = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
  if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_LEFT || wParam == VK_DOWN || wParam == VK_RIGHT)) {
    bool const up = wParam == VK_UP || wParam == VK_LEFT;
    int const count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    int const before = up ? MenuComboIndex::BeforeUp(current, mSeparators)
                          : MenuComboIndex::BeforeDown(current, mSeparators, count);
    if (before == MenuComboIndex::kSwallow) return true;
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(before), 0);
    return false;
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK) {
    RECT client;
    ::GetClientRect(list, &client);
    POINT const point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!PtInRect(&client, point)) return false;
    // The entry under the cursor is the list's selection while it tracks the mouse.
    int const under = static_cast<int>(::SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam));
    int const entry = HIWORD(under) ? current : LOWORD(under);
    return IsSeparator(entry);
  }
  return false;
}

}  // namespace QORControls
