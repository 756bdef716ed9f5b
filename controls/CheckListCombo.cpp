// The check-list combo box: number lists, item drawing and the typed selection.
#include "controls/CheckListCombo.h"

#include "base/LocaleInfo.h"
#include "base/XQOR.h"
#include "controls/ThemeGate.h"
#include "platform/uihelpers/DialogFonts.h"

#include <algorithm>
#include <cwctype>

namespace QORControls {

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

HFONT CreateUserInterfaceFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  HDC const screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(QOR::UserInterfacePointSize(), GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontIndirectW(&font);
}

std::wstring ListSeparator() {
  const wchar_t* separator = QOR::LocaleInfo::Get().ListSeparator();
  return separator && *separator ? separator : L",";
}

}  // namespace

std::vector<bool> ParseNumberList(const std::wstring& text, const std::wstring& allKeyword, int count,
                                  const std::wstring& separator) {
  std::vector<bool> bits(static_cast<size_t>(std::max(count, 0)), false);
  if (!allKeyword.empty() && Lower(text).find(Lower(allKeyword)) != std::wstring::npos) {
    bits.assign(bits.size(), true);
    return bits;
  }
  size_t pos = 0;
  // Digits at pos, saturated well past any item count.
  auto const number = [&](uint64_t& value) {
    size_t const start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
      value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[pos] - L'0'), 0xFFFFFFFFull);
      ++pos;
    }
    return pos > start;
  };
  auto const set = [&](uint64_t n) {
    if (n >= 1 && n <= bits.size()) bits[static_cast<size_t>(n - 1)] = true;
  };
  for (;;) {
    uint64_t first = 0;
    if (!number(first)) break;
    size_t const afterFirst = pos;
    uint64_t last = 0;
    if (pos < text.size() && text[pos] == L'-' && (++pos, number(last))) {
      set(first);
      set(last);
      // Only as far as there are items: a range to four billion costs nothing.
      uint64_t const end = std::min<uint64_t>(last, bits.size() + 1);
      for (uint64_t k = first + 1; k < end; ++k) set(k);
    } else {
      pos = afterFirst;
      set(first);
    }
    if (separator.empty() || text.compare(pos, separator.size(), separator) != 0) break;
    pos += separator.size();
  }
  return bits;
}

CheckListMenuCombo::CheckListMenuCombo(OWL::TWindow* parent, int resourceId) : MenuCombo(parent, resourceId) {}

void CheckListMenuCombo::SetItemCheck(int index, bool checked, bool redraw) {
  SetItemData(index, checked ? 1 : 0);
  ClearComposedText();
  if (redraw && GetHandle()) Invalidate(false);
}

std::wstring CheckListMenuCombo::ComposeText() {
  std::wstring text;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    if (IsSeparator(i) || IsCommandItem(i) || !IsChecked(i)) continue;
    if (!text.empty()) text += L", ";
    text += GetString(i);
  }
  return text;
}

const std::wstring& CheckListMenuCombo::GetComposedText() {
  if (mComposedStale) {
    mComposedText = ComposeText();
    mComposedStale = false;
  }
  return mComposedText;
}

void CheckListMenuCombo::MeasureItem(MEASUREITEMSTRUCT& item) {
  HFONT const font = CreateUserInterfaceFont();
  MeasureWithFont(item, font);
  DeleteObject(font);
}

void CheckListMenuCombo::DrawCheckBox(HDC dc, const RECT& box, bool checked) {
  if (ThemesAvailable() && GetHandle()) {
    if (!mTheme) mTheme = std::make_unique<CheckedTheme>(GetHandle(), L"Button");
    try {
      CheckedDrawThemeBackground(ThemeCall{*mTheme, dc, 3, checked ? 5 : 1, &box});
      return;
    } catch (const XQOR&) {
      // Drawn classically below.
    }
  }
  RECT r = box;
  DrawFrameControl(dc, &r, DFC_BUTTON, 0xD000 | (checked ? 0x400 : 0));
}

void CheckListMenuCombo::DrawItem(const DRAWITEMSTRUCT& item) {
  int const index = static_cast<int>(item.itemID);
  HDC const dc = item.hDC;
  RECT rect = item.rcItem;
  if (index >= 0 && IsSeparator(index)) {
    DrawSeparatorLine(dc, rect);
    return;
  }
  HFONT const font = CreateUserInterfaceFont();
  HGDIOBJ const oldFont = SelectObject(dc, font);
  std::wstring text;
  RECT textRect = rect;
  if (index < 0) {
    text = GetComposedText();
  } else {
    text = GetString(index);
    if (!IsCommandItem(index)) {
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      RECT const box{rect.left, rect.top + 1, rect.left + metrics.tmHeight + metrics.tmExternalLeading + 6, rect.bottom - 1};
      DrawCheckBox(dc, box, IsChecked(index));
      textRect.left = box.right;
    }
  }
  bool const selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &textRect, nullptr, 0, nullptr);
  std::wstring const shown = L" " + text;
  DrawTextW(dc, shown.c_str(), -1, &textRect, 0x8024);
  if ((item.itemState & (ODS_SELECTED | ODS_FOCUS)) == (ODS_SELECTED | ODS_FOCUS)) DrawFocusRect(dc, &rect);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

LRESULT CheckListMenuCombo::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (!buffer || wParam == 0) return 0;
      const std::wstring& text = GetComposedText();
      lstrcpynW(buffer, text.c_str(), static_cast<int>(wParam));
      return lstrlenW(buffer);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(GetComposedText().size());
    case WM_THEMECHANGED:
      if (mTheme) {
        try {
          CheckedCloseThemeData(*mTheme);
        } catch (const XQOR&) {
        }
      }
      // The theme opens again on the next drawing when the gate allows it.
      mTheme.reset();
      MenuCombo::WindowProc(msg, wParam, lParam);
      return 0;
    default:
      return MenuCombo::WindowProc(msg, wParam, lParam);
  }
}

DEFINE_RESPONSE_TABLE1(TypedSelectionCombo, CheckListMenuCombo)
  EV_NOTIFY_AT_CHILD(CBN_EDITCHANGE, CbnEditChange),
  EV_NOTIFY_AT_CHILD(CBN_DROPDOWN, CbnReparseNow),
  EV_NOTIFY_AT_CHILD(CBN_KILLFOCUS, CbnReparseNow),
END_RESPONSE_TABLE;

void TypedSelectionCombo::CbnEditChange() {
  KillTimer(kReparseTimer);
  mPendingTimer = SetTimer(kReparseTimer, kReparseDelay);
  mEdited = true;
}

void TypedSelectionCombo::CbnReparseNow() {
  if (mPendingTimer != kReparseTimer) return;
  mPendingTimer = static_cast<UINT_PTR>(-1);
  KillTimer(kReparseTimer);
  Reparse();
}

void TypedSelectionCombo::Reparse() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  wchar_t typed[301] = L"";
  if (GetComboBoxInfo(GetHandle(), &info) && info.hwndItem) ::GetWindowTextW(info.hwndItem, typed, 301);
  int const count = std::max(GetCount() - mFirstNumbered, 0);
  mSelection = ParseNumberList(typed, AllKeyword(), count, ListSeparator());
  for (int i = 0; i < count; ++i) SetItemCheck(mFirstNumbered + i, mSelection[static_cast<size_t>(i)], false);
  ClearComposedText();
  GetComposedText();
  mEdited = false;
  Invalidate(false);
  if (HWND const parent = GetParentH())
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), kSelectionChanged), reinterpret_cast<LPARAM>(GetHandle()));
}

LRESULT TypedSelectionCombo::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_TIMER) return CheckListMenuCombo::WindowProc(msg, wParam, lParam);
  mPendingTimer = static_cast<UINT_PTR>(-1);
  if (wParam == kReparseTimer) {
    KillTimer(kReparseTimer);
    Reparse();
  }
  return 0;
}

}  // namespace QORControls
