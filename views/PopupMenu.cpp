// PopupMenu: dropping the menu, passing on the choice, and drawing the face and the items.
#include "views/PopupMenu.h"

#include "platform/owl/EvMessageEntries.h"
#include "platform/owl/TMenuItemInfo.h"
#include "platform/owl/TStatic.h"

#include <algorithm>
#include <vector>

namespace {

std::wstring WithoutAmpersands(std::wstring text) {
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  return text;
}

// Fills rect with a system colour.
void FillSys(HDC dc, const RECT& rect, int colour) { FillRect(dc, &rect, GetSysColorBrush(colour)); }

// One-pixel lines along an edge of rect.
void EdgeLine(HDC dc, int left, int top, int right, int bottom, int colour) {
  const RECT line{left, top, right, bottom};
  FillSys(dc, line, colour);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(PopupMenu, OWL::TButton)
  EV_WM_LBUTTONDOWN,
  EV_WM_KEYDOWN,
  OWL_MSG_ENTRY(WM_DRAWITEM, self_.EvDrawItem(static_cast<UINT>(wp_),
                                              *reinterpret_cast<DRAWITEMSTRUCT*>(lp_)); return 1;),
  EV_WM_MEASUREITEM,
  EV_MESSAGE(WM_INITMENUPOPUP, EvInitMenuPopup),
END_RESPONSE_TABLE;

PopupMenu::PopupMenu(OWL::TWindow* parent)
    : OWL::TButton(parent, kButtonId, L"", 0, 0, 20, 20, false), mOwner(parent) {
  Attr.Style |= BS_OWNERDRAW;
}

PopupMenu::~PopupMenu() { Destroy(); }

std::wstring PopupMenu::ItemText(UINT id) {
  std::wstring text = WithoutAmpersands(Popup().GetMenuString(id, MF_BYCOMMAND));
  if (text.size() > 255) text.resize(255);
  return text;
}

void PopupMenu::SetupWindow() {
  OWL::TButton::SetupWindow();
  if (!mLabel || !mLabel->GetHandle()) return;
  const int inset = GetSystemMetrics(SM_CXVSCROLL) + 4;
  const OWL::TRect narrowed(mLabel->Attr.X + inset, mLabel->Attr.Y,
                            mLabel->Attr.X + mLabel->Attr.W - inset, mLabel->Attr.Y + mLabel->Attr.H);
  const UINT flags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  ::SetWindowPos(mLabel->GetHandle(), nullptr, narrowed.left, narrowed.top,
                 narrowed.right - narrowed.left, narrowed.bottom - narrowed.top, flags);
  ::SetWindowPos(ButtonHandle(), nullptr, narrowed.right, narrowed.top, inset,
                 narrowed.bottom - narrowed.top, flags);
}

void PopupMenu::EvLButtonDown(UINT, const OWL::TPoint&) {
  HWND const previous = ::GetFocus();
  DefaultProcessing();
  DropMenu(previous);
}

void PopupMenu::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
  if (key != VK_SPACE) {
    OWL::TButton::EvKeyDown(key, repeatCount, flags);
    return;
  }
  HWND const previous = ::GetFocus();
  DefaultProcessing();
  DropMenu(previous);
}

void PopupMenu::EvMeasureItem(UINT, MEASUREITEMSTRUCT& item) {
  const SIZE size = MeasureMenuItem(item.itemID, item.itemData);
  item.itemWidth = static_cast<UINT>(size.cx);
  item.itemHeight = static_cast<UINT>(size.cy);
}

LRESULT PopupMenu::EvInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (!mOwner || !mOwner->GetHandle()) return 0;
  return ::SendMessageW(mOwner->GetHandle(), WM_INITMENUPOPUP, wParam, lParam);
}

void PopupMenu::DropMenu(HWND previousFocus) {
  HWND const button = ButtonHandle();
  ::SetFocus(nullptr);
  SendMessage(BM_SETSTATE, 1);
  if (!mJustClosed) {
    if (CanDropMenu()) {
      RECT screen{};
      ::GetWindowRect(button, &screen);
      const UINT align = mAlignLeft ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
      const OWL::TPoint at(mAlignLeft ? screen.left : screen.right, screen.bottom);
      // The choice comes back from the tracker and reaches EvCommand as the menu's command.
      const int chosen = Popup().TrackPopupMenu(align | TPM_RETURNCMD, at, button);
      if (chosen) SendMessage(WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    } else {
      OnCannotDropMenu();
    }
  }
  ::SetFocus(button);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  mJustClosed = ::WindowFromPoint(cursor) == button && !mJustClosed;
  ::SetFocus((mStyle & kRestoreFocus) ? previousFocus : button);
  SendMessage(BM_SETSTATE, 0);
}

LRESULT PopupMenu::EvCommand(UINT id, HWND control, UINT notifyCode) {
  const ExclusivePopupMenu::ItemPath path = FindItem(Popup().GetHandle(), id);
  if (path.empty()) return OWL::TButton::EvCommand(id, control, notifyCode);
  mJustClosed = false;
  if (mLabel) mLabel->SetText(ItemText(id).c_str());
  if (mStyle & kCheckChoice) Check(static_cast<int>(id));
  if (!mOwner || mOwner == static_cast<OWL::TWindow*>(this) || !mOwner->GetHandle()) return 0;
  HWND const owner = mOwner->GetHandle();
  const LRESULT result = ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(id, notifyCode), 0);
  const bool inSubmenu = path.size() > 1;
  if (!(inSubmenu && (mStyle & (kCheckChoice | kItemTexts)))) mChecked = static_cast<int>(id);
  ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(kButtonId, kChoiceNotification),
                 reinterpret_cast<LPARAM>(ButtonHandle()));
  return result;
}

bool PopupMenu::Check(int id) {
  const bool found = ExclusivePopupMenu::Check(id);
  if ((mStyle & kFace) && ButtonHandle()) ::InvalidateRect(ButtonHandle(), nullptr, TRUE);
  return found;
}

void PopupMenu::OnItemChosen(int id) {
  if (!(mStyle & kCheckChoice)) return;
  Check(id);
  if (mLabel) mLabel->SetText(ItemText(static_cast<UINT>(id)).c_str());
}

SIZE PopupMenu::MeasureMenuItem(UINT, ULONG_PTR) { return SIZE{100, 20}; }

void PopupMenu::DrawItemContent(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR, UINT, UINT,
                                bool) {
  if ((mStyle & (kCheckChoice | kItemTexts)) != (kCheckChoice | kItemTexts)) return;
  const std::wstring text = ItemText(itemId);
  RECT area = rect;
  DrawTextW(dc, text.c_str(), -1, &area, DT_VCENTER);
}

void PopupMenu::EvDrawItem(UINT, const DRAWITEMSTRUCT& drawItem) {
  if (drawItem.CtlType == ODT_MENU) {
    DrawMenuItem(drawItem.hDC, drawItem.rcItem, drawItem.itemID, drawItem.itemData,
                 drawItem.itemAction, drawItem.itemState);
    return;
  }
  if (mLabel) {
    DrawLabelArrow(drawItem.hDC, drawItem);
    return;
  }
  OWL::TMenuItemInfo info(MIIM_DATA | MIIM_ID | MIIM_STATE);
  Popup().GetMenuItemInfo(static_cast<UINT>(mChecked), false, info);
  PrepareFace(info);
  const bool pushed = (SendMessage(BM_GETSTATE) & BST_PUSHED) != 0;
  DrawButtonFace(drawItem.hDC, drawItem.rcItem, static_cast<uint16_t>(mChecked), info.dwItemData,
                 drawItem.itemState, pushed);
}

void PopupMenu::DrawLabelArrow(HDC dc, const DRAWITEMSTRUCT& drawItem) {
  const RECT& r = drawItem.rcItem;
  EdgeLine(dc, r.left, r.top, r.right, r.top + 1, COLOR_BTNSHADOW);
  EdgeLine(dc, r.left, r.top, r.left + 1, r.bottom, COLOR_BTNSHADOW);
  EdgeLine(dc, r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  EdgeLine(dc, r.right - 1, r.top, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  EdgeLine(dc, r.left + 1, r.top + 1, r.right - 1, r.top + 2, COLOR_WINDOWFRAME);
  EdgeLine(dc, r.left + 1, r.top + 1, r.left + 2, r.bottom - 1, COLOR_WINDOWFRAME);
  EdgeLine(dc, r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1, COLOR_BTNFACE);
  EdgeLine(dc, r.right - 2, r.top + 1, r.right - 1, r.bottom - 1, COLOR_BTNFACE);
  RECT inside{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  UINT state = DFCS_SCROLLDOWN;
  if (drawItem.itemState & ODS_GRAYED) state |= DFCS_INACTIVE;
  if (SendMessage(BM_GETSTATE) & BST_PUSHED) state |= DFCS_PUSHED;
  DrawFrameControl(dc, &inside, DFC_SCROLL, state);
}

void PopupMenu::DrawButtonFace(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR itemData,
                               UINT itemState, bool pushed) {
  const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
  RECT arrow = rect;
  if (mStyle & kFace) {
    FillSys(dc, rect, COLOR_BTNFACE);
    if (itemId < 0xFFFF) {
      RECT content{rect.left + 3, rect.top + 3, rect.right - arrowWidth, rect.bottom - 3};
      DrawItemContent(dc, content, itemId, itemData, ODA_DRAWENTIRE, itemState, true);
    }
    arrow.left = rect.right - arrowWidth;
  }
  if (mStyle & kFlat) {
    DrawFlatArrow(dc, arrow);
  } else {
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (itemState & (ODS_GRAYED | ODS_DISABLED)) state |= DFCS_INACTIVE;
    if (mStyle & kFace) state |= DFCS_FLAT;
    if (pushed) state |= DFCS_PUSHED;
    DrawFrameControl(dc, &arrow, DFC_SCROLL, state);
  }
  if (mStyle & kFace) {
    RECT border = rect;
    DrawEdge(dc, &border, pushed ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | ((mStyle & kFlat) ? BF_FLAT : 0));
  }
}

// The flat arrow is drawn off screen; its face-coloured pixels become the window colour, and
// the arrow gets a black outline.
void PopupMenu::DrawFlatArrow(HDC dc, const RECT& arrow) {
  const int w = arrow.right - arrow.left;
  const int h = arrow.bottom - arrow.top;
  if (w <= 0 || h <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  uint32_t* bits = nullptr;
  HBITMAP const bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&bits), nullptr, 0);
  HDC const memory = CreateCompatibleDC(dc);
  if (bitmap && memory) {
    HGDIOBJ const previous = SelectObject(memory, bitmap);
    RECT local{0, 0, w, h};
    DrawFrameControl(memory, &local, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
    GdiFlush();
    const auto toPixel = [](COLORREF c) {
      return static_cast<uint32_t>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    };
    const uint32_t face = toPixel(GetSysColor(COLOR_3DFACE));
    const uint32_t window = toPixel(GetSysColor(COLOR_WINDOW));
    for (int i = 0; i < w * h; ++i)
      if ((bits[i] & 0xFFFFFF) == face) bits[i] = window;
    BitBlt(dc, arrow.left, arrow.top, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }
  if (memory) DeleteDC(memory);
  if (bitmap) DeleteObject(bitmap);
  FrameRect(dc, &arrow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void PopupMenu::DrawMenuItem(HDC dc, const RECT& rect, UINT itemId, ULONG_PTR itemData,
                             UINT itemAction, UINT itemState) {
  const bool inverted = IsInverted();
  if (inverted) FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const int checkW = GetSystemMetrics(SM_CXMENUCHECK);
  const int checkH = GetSystemMetrics(SM_CYMENUCHECK);
  if (itemState & ODS_CHECKED) {
    HBITMAP const mark = CreateBitmap(checkW, checkH, 1, 1, nullptr);
    HDC const memory = CreateCompatibleDC(dc);
    if (mark && memory) {
      HGDIOBJ const previous = SelectObject(memory, mark);
      RECT local{0, 0, checkW, checkH};
      FillRect(memory, &local, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      DrawFrameControl(memory, &local, DFC_MENU, DFCS_MENUCHECK);
      FrameRect(memory, &local, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      // Black bits take the text colour, white ones the background colour.
      const COLORREF oldText = SetTextColor(dc, inverted ? RGB(255, 255, 255) : RGB(0, 0, 0));
      const COLORREF oldBack = SetBkColor(dc, inverted ? RGB(0, 0, 0) : GetSysColor(COLOR_MENU));
      const int top = rect.top + (rect.bottom - rect.top - checkH) / 2;
      BitBlt(dc, rect.left, top, checkW, checkH, memory, 0, 0, SRCCOPY);
      SetTextColor(dc, oldText);
      SetBkColor(dc, oldBack);
      SelectObject(memory, previous);
    }
    if (memory) DeleteDC(memory);
    if (mark) DeleteObject(mark);
  }
  RECT item{rect.left + checkW + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  if (itemState & ODS_SELECTED) {
    DrawFrameControl(dc, &item, DFC_BUTTON,
                     DFCS_BUTTONPUSH | ((itemState & ODS_GRAYED) ? DFCS_INACTIVE : 0));
  } else if (inverted) {
    FillRect(dc, &item, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else {
    FillSys(dc, item, COLOR_MENU);
  }
  InflateRect(&item, -2, -2);
  DrawItemContent(dc, item, itemId, itemData, itemAction, itemState, false);
}
