// Host printing and copying of views: the printout a view hands the host, the frame's print
// service, the view site's print support, the copy service and the host's language query.
// Ownership: out-parameters are cleared first and filled with one reference for the caller;
// interfaces passed in are borrowed for the call; BSTRs handed out are the caller's to free.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

// {24936D58-FE35-4E91-961B-14F8BA4FDE09}
inline constexpr GUID IID_ILumoPrintout = {
    0x24936D58, 0xFE35, 0x4E91, {0x96, 0x1B, 0x14, 0xF8, 0xBA, 0x4F, 0xDE, 0x09}};
// {ADB9A678-330D-456D-BA3B-374F5B35C083}
inline constexpr GUID IID_ILumoPrintoutEx = {
    0xADB9A678, 0x330D, 0x456D, {0xBA, 0x3B, 0x37, 0x4F, 0x5B, 0x35, 0xC0, 0x83}};
// {77F5E8A8-BDAF-4FE6-B649-F35531245191}: asked of a document's frame interface.
inline constexpr GUID IID_IHostPrintFrame = {
    0x77F5E8A8, 0xBDAF, 0x4FE6, {0xB6, 0x49, 0xF3, 0x55, 0x31, 0x24, 0x51, 0x91}};
// {4B95A462-7A60-469B-840F-4EF452B724CA}
inline constexpr GUID IID_IHostPrintService = {
    0x4B95A462, 0x7A60, 0x469B, {0x84, 0x0F, 0x4E, 0xF4, 0x52, 0xB7, 0x24, 0xCA}};
// {8EE2A5E3-6CF0-4B25-80E8-A3C222EF1DA4}: asked of a view's site (the view's owner).
inline constexpr GUID IID_IViewSitePrintSupport = {
    0x8EE2A5E3, 0x6CF0, 0x4B25, {0x80, 0xE8, 0xA3, 0xC2, 0x22, 0xEF, 0x1D, 0xA4}};
// {7075097A-C7D9-4A43-93B0-DE1CA629551B}: the class of the process-wide copy service.
inline constexpr GUID CLSID_HostCopyService = {
    0x7075097A, 0xC7D9, 0x4A43, {0x93, 0xB0, 0xDE, 0x1C, 0xA6, 0x29, 0x55, 0x1B}};
inline constexpr const GUID& IID_IHostCopyService = CLSID_HostCopyService;
// {5CDD5247-2088-48F7-B3A4-4BC7BCE0210D}: asked of the host application object.
inline constexpr GUID IID_IHostLanguage = {
    0x5CDD5247, 0x2088, 0x48F7, {0xB3, 0xA4, 0x4B, 0xC7, 0xBC, 0xE0, 0x21, 0x0D}};

// What the host prints or previews: pages drawn into a DC it supplies.
struct ILumoPrintout : IUnknown {
  // Slot 3: which page ranges the print dialog offers.
  virtual HRESULT STDMETHODCALLTYPE GetPageRangeMode(int32_t* mode) = 0;
  // Slot 4: the document title of the print job; S_FALSE and null when there is none.
  virtual HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) = 0;
  // Slot 5: drawing starts: pages land in page (device units of drawing); printer is the
  // printer's DC or null.
  virtual HRESULT STDMETHODCALLTYPE BeginPrinting(HDC drawing, HDC printer, const RECT* page) = 0;
  // Slot 6
  virtual HRESULT STDMETHODCALLTYPE GetPageCount(int32_t* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
  // Slot 9: VARIANT_TRUE when page (1-based) is past the last page.
  virtual HRESULT STDMETHODCALLTYPE IsPastEnd(int32_t page, VARIANT_BOOL* past) = 0;
  // Slot 10: draws page (1-based) into the drawing DC.
  virtual HRESULT STDMETHODCALLTYPE PrintPage(int32_t page) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
};

struct ILumoPrintoutEx : ILumoPrintout {
  // Slot 14: the object the printout was made for.
  virtual HRESULT STDMETHODCALLTYPE GetOwner(IUnknown** owner) = 0;
};

struct IHostPrintService : IUnknown {
  // Slot 3: prints the printout; flags 1 = ask the user nothing more than the host must.
  virtual HRESULT STDMETHODCALLTYPE Print(ILumoPrintout* printout, uint32_t flags) = 0;
  // Slot 4: shows the printout's pages on screen.
  virtual HRESULT STDMETHODCALLTYPE Preview(ILumoPrintout* printout) = 0;
};

struct IHostPrintFrame : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE GetPrintService(IHostPrintService** service) = 0;
};

struct IViewSitePrintSupport : IUnknown {
  // Slot 3: 0xFFFF when the view may be printed now, else 0.
  virtual HRESULT STDMETHODCALLTYPE CanPrint(uint16_t* can) = 0;
  // Slot 4: the host prints the view its own way.
  virtual HRESULT STDMETHODCALLTYPE Print() = 0;
  // Slot 5: the host document the view shows (null when none).
  virtual HRESULT STDMETHODCALLTYPE GetHostDocument(IUnknown** document) = 0;
  // Slot 6: the next object of the site's owner chain, null at its end. Each object of the
  // chain answers ISubject.
  virtual HRESULT STDMETHODCALLTYPE GetNextOwner(IUnknown** owner) = 0;
};

struct IHostCopyService : IUnknown {
  // Slot 3: a copy to the clipboard begins (kind 0: a picture).
  virtual HRESULT STDMETHODCALLTYPE BeginCopy(uint32_t kind) = 0;
};

struct IHostLanguage : IUnknown {
  // Slot 3: the language of the host's user interface (low byte: primary language).
  virtual HRESULT STDMETHODCALLTYPE GetLanguage(uint16_t* language) = 0;
};
