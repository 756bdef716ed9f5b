// The framework's print service and copy service: a printout is drawn page by page onto the
// default printer's metafile or, without a printer, onto sheets nobody sees; a preview shows
// its pages in a window.
#include "host/framework/PrintServices.h"

#include "host/framework/PrintPreview.h"
#include "host/framework/StaticService.h"
#include "hostapi/ViewPrinting.h"

#include <oleauto.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace lumo {

namespace {

struct PrintRecord {
  uint32_t jobs = 0;
  uint32_t previews = 0;
  uint32_t pages = 0;  // pages drawn by the last job
  uint32_t flags = 0;  // print flags of the last job (0 for a preview)
  uint32_t centre = 0;  // the bitmap page's centre pixel (0x00RRGGBB) after the last job
  std::wstring title;
};

PrintRecord gPrint;
uint32_t gCopyBegins = 0;
uint16_t gLanguage = 0;

// The default printer's DC from the profile's "device,driver,port", or null.
HDC DefaultPrinterDC() noexcept {
  wchar_t entry[255] = {};
  GetProfileStringW(L"windows", L"device", L"", entry, 255);
  if (!entry[0]) return nullptr;
  wchar_t* context = nullptr;
  wchar_t* const device = wcstok_s(entry, L",", &context);
  wchar_t* const driver = wcstok_s(nullptr, L",", &context);
  wchar_t* const port = wcstok_s(nullptr, L",", &context);
  return CreateDCW(driver, device, port, nullptr);
}

// Draws every page of printout into dc over page; the number of pages drawn.
uint32_t DrawPages(ILumoPrintout* printout, HDC dc, HDC printer, const RECT& page) noexcept {
  if (FAILED(printout->BeginPrinting(dc, printer, &page))) return 0;
  int32_t count = 0;
  if (FAILED(printout->GetPageCount(&count))) return 0;
  uint32_t drawn = 0;
  for (int32_t number = 1; number <= count; ++number) {
    if (FAILED(printout->PrintPage(number))) break;
    ++drawn;
    VARIANT_BOOL past = VARIANT_FALSE;
    if (FAILED(printout->IsPastEnd(number, &past)) || past) break;
  }
  return drawn;
}

// The centre pixel (0x00RRGGBB) of the last of pages; 0 without pages.
uint32_t CentreOf(const std::vector<HBITMAP>& pages) noexcept {
  DIBSECTION section{};
  if (pages.empty() || GetObjectW(pages.back(), sizeof section, &section) != sizeof section ||
      !section.dsBm.bmBits)
    return 0;
  const auto* pixels = static_cast<const uint32_t*>(section.dsBm.bmBits);
  return pixels[(section.dsBm.bmHeight / 2) * section.dsBm.bmWidth + section.dsBm.bmWidth / 2] & 0xFFFFFF;
}

// Without a printer the pages go to sheets nobody sees.
uint32_t DrawOnSheets(ILumoPrintout* printout) noexcept {
  const SheetPages sheets = DrawSheets(printout, nullptr, false);
  gPrint.centre = CentreOf(sheets.pages);
  for (HBITMAP page : sheets.pages) DeleteObject(page);
  return static_cast<uint32_t>(sheets.drawn);
}

uint32_t DrawOnPrinterMetafile(ILumoPrintout* printout, HDC printer) noexcept {
  HDC const dc = CreateEnhMetaFileW(printer, nullptr, nullptr, nullptr);
  if (!dc) return 0;
  const RECT page{0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
  const uint32_t drawn = DrawPages(printout, dc, printer, page);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  return drawn;
}

HRESULT RunPrintout(ILumoPrintout* printout, bool preview, uint32_t flags) noexcept {
  if (!printout) return E_POINTER;
  BSTR title = nullptr;
  printout->GetTitle(&title);
  try {
    gPrint.title.assign(title ? title : L"", title ? SysStringLen(title) : 0);
  } catch (...) {
    SysFreeString(title);
    return E_OUTOFMEMORY;
  }
  SysFreeString(title);
  ++(preview ? gPrint.previews : gPrint.jobs);
  gPrint.flags = preview ? 0 : flags;
  gPrint.centre = 0;
  HDC const printer = DefaultPrinterDC();
  if (preview) {
    SheetPages sheets = DrawSheets(printout, printer);
    gPrint.pages = static_cast<uint32_t>(sheets.pages.size());
    gPrint.centre = CentreOf(sheets.pages);
    OpenPreviewWindow(gPrint.title, std::move(sheets));
  } else {
    gPrint.pages = printer ? DrawOnPrinterMetafile(printout, printer) : DrawOnSheets(printout);
  }
  if (printer) DeleteDC(printer);
  return S_OK;
}

class PrintService final : public StaticService<IHostPrintService, IID_IHostPrintService> {
 public:
  HRESULT STDMETHODCALLTYPE Print(ILumoPrintout* printout, uint32_t flags) noexcept override {
    return RunPrintout(printout, false, flags);
  }
  HRESULT STDMETHODCALLTYPE Preview(ILumoPrintout* printout) noexcept override {
    return RunPrintout(printout, true, 0);
  }
};

class CopyService final : public StaticService<IHostCopyService, IID_IHostCopyService> {
 public:
  HRESULT STDMETHODCALLTYPE BeginCopy(uint32_t kind) noexcept override {
    if (kind == 0) ++gCopyBegins;
    return S_OK;
  }
};

PrintService gPrintService;
CopyService gCopyService;

}  // namespace

IUnknown* PrintServiceObject() noexcept { return &gPrintService; }
IUnknown* CopyServiceObject() noexcept { return &gCopyService; }
uint16_t HostLanguage() noexcept {
  return gLanguage ? gLanguage : static_cast<uint16_t>(GetUserDefaultUILanguage());
}

}  // namespace lumo

extern "C" {

uint32_t __stdcall LumoObservedPrintJobs(uint32_t* previews, uint32_t* pages, uint32_t* flags,
                                        uint32_t* centre, wchar_t* title,
                                        uint32_t titleUnits) noexcept {
  if (previews) *previews = lumo::gPrint.previews;
  if (pages) *pages = lumo::gPrint.pages;
  if (flags) *flags = lumo::gPrint.flags;
  if (centre) *centre = lumo::gPrint.centre;
  if (title && titleUnits) wcsncpy_s(title, titleUnits, lumo::gPrint.title.c_str(), _TRUNCATE);
  return lumo::gPrint.jobs;
}

uint32_t __stdcall LumoObservedCopyBegins() noexcept { return lumo::gCopyBegins; }

void __stdcall LumoSetHostLanguage(uint16_t language) noexcept { lumo::gLanguage = language; }

}  // extern "C"
