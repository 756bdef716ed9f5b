// Metafile copies and the default printer's DC.
#include "platform/uihelpers/PrintHelpers.h"

#include "platform/owl/TPrintDC.h"
#include "platform/owl/TScreenDC.h"

#include <memory>
#include <vector>

namespace QOR {

HMETAFILE CopyMetafile(HENHMETAFILE enhanced) noexcept {
  HDC const screen = GetDC(nullptr);
  UINT const size = GetWinMetaFileBits(enhanced, 0, nullptr, MM_ANISOTROPIC, screen);
  HMETAFILE result = nullptr;
  if (size) {
    std::vector<BYTE> bits(size);
    if (GetWinMetaFileBits(enhanced, size, bits.data(), MM_ANISOTROPIC, screen) == size)
      result = SetMetaFileBitsEx(size, bits.data());
  }
  ReleaseDC(nullptr, screen);
  return result;
}

OWL::TDC* GetDefaultPrinterDC() {
  wchar_t entry[255] = {};
  GetProfileStringW(L"windows", L"device", L"", entry, 255);
  if (!entry[0]) return new OWL::TScreenDC;
  wchar_t* context = nullptr;
  wchar_t* const device = wcstok_s(entry, L",", &context);
  wchar_t* const driver = wcstok_s(nullptr, L",", &context);
  wchar_t* const port = wcstok_s(nullptr, L",", &context);
  std::unique_ptr<OWL::TPrintDC> printer(new OWL::TPrintDC(driver, device, port));
  if (!printer->IsOK()) return new OWL::TScreenDC;
  return printer.release();
}

}  // namespace QOR
