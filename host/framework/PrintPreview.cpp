// The print preview: sheets drawn page by page, and the window that shows them one at a time
// (Page Down, Page Up, Home, End or the wheel turn the pages; Escape closes it).
#include "host/framework/PrintPreview.h"

#include "host/common/ScreenFit.h"

#include <algorithm>
#include <memory>
#include <new>

namespace lumo {

namespace {

constexpr wchar_t kPreviewClass[] = L"LumoPrintPreview";
// A sheet is 3.5 MB at 96 dpi: a preview holds this many pages at most.
constexpr int32_t kMostPages = 100;
constexpr int kGap = 16;  // screen pixels around the page in the window

struct Preview {
  std::wstring title;
  std::vector<HBITMAP> pages;
  int32_t drawable = 0;  // the printout's page count, which may exceed the pages kept
  HWND window = nullptr;
  size_t current = 0;
};

// Every preview the process opened, in order; a closed one keeps its entry without pages.
std::vector<std::unique_ptr<Preview>> gPreviews;

void FreePages(Preview& preview) noexcept {
  for (HBITMAP page : preview.pages) DeleteObject(page);
  preview.pages.clear();
}

// A blank sheet: white paper.
HBITMAP NewSheetBitmap(const Sheet& sheet) noexcept {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), sheet.width, -sheet.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP const bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  std::fill_n(static_cast<uint32_t*>(bits), static_cast<size_t>(sheet.width) * sheet.height, 0xFFFFFFu);
  return bitmap;
}

std::wstring TitleText(const Preview& preview) {
  std::wstring text = L"Print Preview - " + preview.title;
  if (!preview.pages.empty())
    text += L" - page " + std::to_wstring(preview.current + 1) + L" of " + std::to_wstring(preview.drawable);
  return text;
}

void ShowTitle(const Preview& preview) noexcept {
  try {
    SetWindowTextW(preview.window, TitleText(preview).c_str());
  } catch (...) {
    // The title stays as it was.
  }
}

// The width of a window whose title bar shows text whole: the text in the caption font, the
// icon, the three caption buttons and the frame.
LONG TitleBarWidth(const std::wstring& text) noexcept {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  HDC const screen = GetDC(nullptr);
  HFONT const font = CreateFontIndirectW(&metrics.lfCaptionFont);
  SIZE extent{};
  if (screen && font) {
    HGDIOBJ const previous = SelectObject(screen, font);
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
  }
  if (font) DeleteObject(font);
  if (screen) ReleaseDC(nullptr, screen);
  return extent.cx + GetSystemMetrics(SM_CXSMICON) + 4 * GetSystemMetrics(SM_CXSIZE) +
         2 * GetSystemMetrics(SM_CXSIZEFRAME);
}

// The page's place in the client area: as large as fits with a gap around, proportions kept.
RECT PageRect(const RECT& client, int sheetWidth, int sheetHeight) noexcept {
  const int roomX = std::max(1, static_cast<int>(client.right) - 2 * kGap);
  const int roomY = std::max(1, static_cast<int>(client.bottom) - 2 * kGap);
  int width = roomX;
  int height = MulDiv(sheetHeight, roomX, std::max(1, sheetWidth));
  if (height > roomY) {
    height = roomY;
    width = MulDiv(sheetWidth, roomY, std::max(1, sheetHeight));
  }
  const int left = (client.right - width) / 2;
  const int top = (client.bottom - height) / 2;
  return RECT{left, top, left + width, top + height};
}

void Paint(HWND window, const Preview& preview) noexcept {
  PAINTSTRUCT paint;
  HDC const dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  if (preview.current < preview.pages.size()) {
    BITMAP sheet{};
    GetObjectW(preview.pages[preview.current], sizeof sheet, &sheet);
    const RECT page = PageRect(client, sheet.bmWidth, sheet.bmHeight);
    RECT shadow = page;
    OffsetRect(&shadow, 4, 4);
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    HDC const source = CreateCompatibleDC(dc);
    HGDIOBJ const previous = SelectObject(source, preview.pages[preview.current]);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, page.left, page.top, page.right - page.left, page.bottom - page.top, source, 0, 0,
               sheet.bmWidth, sheet.bmHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EndPaint(window, &paint);
}

void Turn(Preview& preview, long long to) noexcept {
  if (preview.pages.empty()) return;
  const long long last = static_cast<long long>(preview.pages.size()) - 1;
  const size_t page = static_cast<size_t>(std::clamp(to, 0LL, last));
  if (page == preview.current) return;
  preview.current = page;
  ShowTitle(preview);
  InvalidateRect(preview.window, nullptr, FALSE);
}

bool TurnByKey(Preview& preview, WPARAM key) noexcept {
  const long long at = static_cast<long long>(preview.current);
  switch (key) {
    case VK_NEXT: case VK_DOWN: case VK_RIGHT: case VK_SPACE: Turn(preview, at + 1); return true;
    case VK_PRIOR: case VK_UP: case VK_LEFT: case VK_BACK: Turn(preview, at - 1); return true;
    case VK_HOME: Turn(preview, 0); return true;
    case VK_END: Turn(preview, static_cast<long long>(preview.pages.size())); return true;
    default: return false;
  }
}

LRESULT CALLBACK PreviewProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* const preview = static_cast<Preview*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    preview->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
  }
  auto* const preview = reinterpret_cast<Preview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!preview) return DefWindowProcW(window, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      Paint(window, *preview);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        DestroyWindow(window);
        return 0;
      }
      if (TurnByKey(*preview, wParam)) return 0;
      break;
    case WM_MOUSEWHEEL:
      // A notch forward goes a page back, as a scrolled document does.
      Turn(*preview, static_cast<long long>(preview->current) - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      return 0;
    case WM_NCDESTROY:
      FreePages(*preview);
      preview->window = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterPreviewClass() noexcept {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpfnWndProc = &PreviewProc;
    wc.lpszClassName = kPreviewClass;
    return RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

// Page number of printout on the sheet selected into dc; the first page begins the printing and
// gets the page count. With a printer the page is drawn at the printer's resolution into a
// metafile, which is then played onto the printable part of the sheet.
bool DrawSheet(ILumoPrintout* printout, HDC printer, HDC dc, const RECT& page, const RECT& printable,
               int32_t number, int32_t* count) noexcept {
  const auto begin = [&](HDC drawing) {
    if (FAILED(printout->BeginPrinting(drawing, printer, &page))) return false;
    return number != 1 || (SUCCEEDED(printout->GetPageCount(count)) && *count > 0);
  };
  if (!printer) return begin(dc) && SUCCEEDED(printout->PrintPage(number));
  HDC const metafileDc = CreateEnhMetaFileW(printer, nullptr, nullptr, nullptr);
  if (!metafileDc) return false;
  const bool drawn = begin(metafileDc) && SUCCEEDED(printout->PrintPage(number));
  HENHMETAFILE const metafile = CloseEnhMetaFile(metafileDc);
  if (!metafile) return false;
  const bool played = drawn && PlayEnhMetaFile(dc, metafile, &printable);
  DeleteEnhMetaFile(metafile);
  return played;
}

}  // namespace

Sheet SheetFor(HDC printer) noexcept {
  HDC const screen = GetDC(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  Sheet sheet;
  const int printerX = printer ? GetDeviceCaps(printer, LOGPIXELSX) : 0;
  const int printerY = printer ? GetDeviceCaps(printer, LOGPIXELSY) : 0;
  if (printerX > 0 && printerY > 0) {
    const auto x = [&](int index) { return MulDiv(GetDeviceCaps(printer, index), dpiX, printerX); };
    const auto y = [&](int index) { return MulDiv(GetDeviceCaps(printer, index), dpiY, printerY); };
    sheet.width = x(PHYSICALWIDTH);
    sheet.height = y(PHYSICALHEIGHT);
    sheet.printable = RECT{x(PHYSICALOFFSETX), y(PHYSICALOFFSETY), x(PHYSICALOFFSETX) + x(HORZRES),
                           y(PHYSICALOFFSETY) + y(VERTRES)};
    if (sheet.width > 0 && sheet.height > 0) return sheet;
  }
  sheet.width = MulDiv(2100, dpiX, 254);
  sheet.height = MulDiv(2970, dpiY, 254);
  sheet.printable = RECT{dpiX / 2, dpiY / 2, sheet.width - dpiX / 2, sheet.height - dpiY / 2};
  return sheet;
}

SheetPages DrawSheets(ILumoPrintout* printout, HDC printer, bool keepAll) noexcept {
  SheetPages sheets;
  const Sheet sheet = SheetFor(printer);
  // The page the printout gets starts at the printable corner, as a printer's does.
  const RECT page = printer ? RECT{0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)}
                            : RECT{0, 0, sheet.printable.right - sheet.printable.left,
                                   sheet.printable.bottom - sheet.printable.top};
  HDC const dc = CreateCompatibleDC(nullptr);
  if (!dc) return sheets;
  const int saved = SaveDC(dc);
  if (!printer) {
    SetWindowOrgEx(dc, -sheet.printable.left, -sheet.printable.top, nullptr);
    IntersectClipRect(dc, page.left, page.top, page.right, page.bottom);
  }
  HGDIOBJ original = nullptr;
  try {
    sheets.pages.reserve(kMostPages);
    for (int32_t number = 1; number == 1 || number <= std::min(sheets.count, kMostPages); ++number) {
      HBITMAP const bitmap = NewSheetBitmap(sheet);
      if (!bitmap) break;
      HGDIOBJ const previous = SelectObject(dc, bitmap);
      if (!original) original = previous;
      const bool drawn = DrawSheet(printout, printer, dc, page, sheet.printable, number, &sheets.count);
      GdiFlush();
      if (!drawn) {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        break;
      }
      ++sheets.drawn;
      if (!keepAll && !sheets.pages.empty()) {
        DeleteObject(sheets.pages.back());  // no longer selected: the new sheet is
        sheets.pages.pop_back();
      }
      sheets.pages.push_back(bitmap);  // reserved: cannot throw
      VARIANT_BOOL past = VARIANT_FALSE;
      if (FAILED(printout->IsPastEnd(number, &past)) || past) break;
    }
  } catch (const std::bad_alloc&) {
    // The pages drawn so far are kept.
  }
  if (original) SelectObject(dc, original);
  RestoreDC(dc, saved);
  DeleteDC(dc);
  return sheets;
}

namespace {

// The window of the last preview opened that is still open; null when none is.
HWND LastOpenPreview() noexcept {
  for (auto it = gPreviews.rbegin(); it != gPreviews.rend(); ++it)
    if ((*it)->window && IsWindowVisible((*it)->window)) return (*it)->window;
  return nullptr;
}

// size cut, its proportions kept, to reach no further than the work area's right and bottom
// edges from corner: the page keeps filling the window when the screen is too small for it.
SIZE FitKeepingShape(SIZE size, POINT corner, const RECT& work) noexcept {
  const double roomX = std::max<LONG>(1, work.right - corner.x);
  const double roomY = std::max<LONG>(1, work.bottom - corner.y);
  const double scale = std::min({1.0, roomX / std::max<LONG>(1, size.cx), roomY / std::max<LONG>(1, size.cy)});
  return SIZE{static_cast<LONG>(size.cx * scale), static_cast<LONG>(size.cy * scale)};
}

// Where a new preview goes: 640 x 860 pixels at 96 dpi, scaled to the screen like the view
// frames and cut to it with its proportions kept, near the work area's top left corner; wider
// where its title needs it, up to four fifths of the work area beside that corner, so that a
// second window beside it still keeps a quarter of its own. While another preview is open (the
// Table View opens two, its events' and its summary's) the new one goes to its right, so that
// each keeps a strip the other never covers, whichever was clicked last: its left edge at the
// earlier one's right edge, or as far left as its own width needs on the screen, but never over
// more than three quarters of the earlier one; and where they overlap, a caption's height lower,
// so that the earlier title bar and close box show too. Where the screen leaves it no quarter of
// its own width beyond the earlier one (that one is far to the right), it starts again at the
// corner's left edge, a caption lower than the earlier one.
RECT PreviewPlace(LONG titleWidth) noexcept {
  const RECT work = host::ScreenWorkArea();
  const POINT dpi = host::ScreenResolution();
  const SIZE scaled{MulDiv(640, dpi.x, 96), MulDiv(860, dpi.y, 96)};
  const POINT first{work.left + 80, work.top + 20};
  const LONG widest = 4 * (work.right - first.x) / 5;
  const auto sized = [&](POINT corner) {
    SIZE size = FitKeepingShape(scaled, corner, work);
    size.cx = std::min(std::max(size.cx, std::min(titleWidth, widest)), work.right - corner.x);
    return size;
  };
  POINT corner = first;
  RECT earlier{};
  if (HWND const last = LastOpenPreview(); last && GetWindowRect(last, &earlier)) {
    const LONG width = sized(POINT{work.left, earlier.top}).cx;
    corner.x = std::max(earlier.left + (earlier.right - earlier.left) / 4, std::min(earlier.right, work.right - width));
    const LONG lower = earlier.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    corner.y = corner.x < earlier.right ? lower : earlier.top;
    const SIZE beside = sized(corner);
    if (4 * (corner.x + beside.cx - earlier.right) < beside.cx) corner = POINT{first.x, std::max(first.y, lower)};
  }
  const SIZE size = sized(corner);
  return RECT{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy};
}

}  // namespace

void OpenPreviewWindow(const std::wstring& title, SheetPages sheets) noexcept {
  Preview* preview = nullptr;
  try {
    gPreviews.push_back(std::make_unique<Preview>());
    preview = gPreviews.back().get();
    preview->title = title;
  } catch (...) {
    for (HBITMAP page : sheets.pages) DeleteObject(page);
    return;
  }
  preview->pages = std::move(sheets.pages);
  preview->drawable = std::max(sheets.count, static_cast<int32_t>(preview->pages.size()));
  LONG titleWidth = 0;
  try {
    titleWidth = TitleBarWidth(TitleText(*preview));
  } catch (...) {
    // Placed as wide as its page needs.
  }
  const RECT place = PreviewPlace(titleWidth);
  if (!RegisterPreviewClass() ||
      !CreateWindowExW(0, kPreviewClass, L"Print Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left, place.top,
                       place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                       GetModuleHandleW(nullptr), preview)) {
    FreePages(*preview);
    return;
  }
  ShowTitle(*preview);
}

}  // namespace lumo

extern "C" {

uint32_t __stdcall LumoPreviewCount() noexcept { return static_cast<uint32_t>(lumo::gPreviews.size()); }

uint32_t __stdcall LumoPreviewPageCount(uint32_t preview) noexcept {
  return preview < lumo::gPreviews.size() ? static_cast<uint32_t>(lumo::gPreviews[preview]->pages.size()) : 0;
}

HBITMAP __stdcall LumoPreviewPage(uint32_t preview, uint32_t page) noexcept {
  if (preview >= lumo::gPreviews.size()) return nullptr;
  const auto& pages = lumo::gPreviews[preview]->pages;
  return page < pages.size() ? pages[page] : nullptr;
}

HWND __stdcall LumoPreviewWindow(uint32_t preview) noexcept {
  return preview < lumo::gPreviews.size() ? lumo::gPreviews[preview]->window : nullptr;
}

}  // extern "C"
