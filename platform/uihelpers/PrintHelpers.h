// Metafile and printer helpers for copies and printouts.
#pragma once

#include <windows.h>

namespace OWL {
class TDC;
}

namespace QOR {

// A Windows metafile with the picture of an enhanced one (anisotropic mapping); null on failure.
HMETAFILE CopyMetafile(HENHMETAFILE enhanced) noexcept;

struct MetafileDeleter {
  void operator()(HMETAFILE metafile) const noexcept {
    if (metafile) DeleteMetaFile(metafile);
  }
};

// A DC of the default printer ("device,driver,port" of the profile's windows/device entry), or
// the screen's DC when there is no default printer or its DC cannot be made. The caller owns it.
OWL::TDC* GetDefaultPrinterDC();

}  // namespace QOR
