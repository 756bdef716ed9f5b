// The framework's sheets and print preview: a printout's pages drawn on bitmaps of the page
// and shown in a preview window of their own.
#pragma once

#include "hostapi/ViewPrinting.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumo {

// The sheet pages are drawn on, in screen pixels: the default printer's paper scaled to the
// screen's resolution or, without a printer, an A4 sheet (210 x 297 mm) with margins of half an
// inch. printable is where the printer can print (the page rectangle the printout gets).
struct Sheet {
  int width = 0;
  int height = 0;
  RECT printable{};
};
Sheet SheetFor(HDC printer) noexcept;

// The pages of one printout on sheets: the bitmaps (the holder's to delete) and the page count
// the printout gave, which may exceed the pages drawn (at most 100, or fewer when memory runs out).
struct SheetPages {
  std::vector<HBITMAP> pages;
  int32_t count = 0;
  int32_t drawn = 0;  // pages drawn, kept or not
};

// Draws every page of printout on a sheet bitmap of its own (white paper), the printer's page
// previewed through printer when there is one. Without keepAll only the last page drawn is kept
// (a print nobody sees need not hold every page at once).
SheetPages DrawSheets(ILumoPrintout* printout, HDC printer, bool keepAll = true) noexcept;

// Opens a preview window showing the pages (which it then owns) under the printout's title; the
// window and its pages go when the user closes it.
void OpenPreviewWindow(const std::wstring& title, SheetPages sheets) noexcept;

}  // namespace lumo
