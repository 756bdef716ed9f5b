// The framework's print previews as the host application reads them: how many were opened, the
// pages each window shows and the window. Looked up in the Lumo.dll already loaded in the
// process; without it every query answers 0 or null.
#pragma once

#include <windows.h>

#include "host/framework/LumoExport.h"

#include <cstdint>
#include <vector>

namespace lumo_preview {

using lumo_export::Export;

// Previews opened in this process so far, closed ones included; they are numbered from 0.
inline uint32_t Count() {
  const auto fn = Export<uint32_t(__stdcall*)()>("LumoPreviewCount");
  return fn ? fn() : 0;
}

// The pages a preview shows, in order, as sheet bitmaps the window keeps (none once closed).
inline std::vector<HBITMAP> Pages(uint32_t preview) {
  const auto count = Export<uint32_t(__stdcall*)(uint32_t)>("LumoPreviewPageCount");
  const auto page = Export<HBITMAP(__stdcall*)(uint32_t, uint32_t)>("LumoPreviewPage");
  std::vector<HBITMAP> pages;
  if (!count || !page) return pages;
  for (uint32_t i = 0, n = count(preview); i < n; ++i) pages.push_back(page(preview, i));
  return pages;
}

// The preview's window; null once closed.
inline HWND Window(uint32_t preview) {
  const auto fn = Export<HWND(__stdcall*)(uint32_t)>("LumoPreviewWindow");
  return fn ? fn(preview) : nullptr;
}

}  // namespace lumo_preview
