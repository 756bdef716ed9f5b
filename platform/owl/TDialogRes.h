// OWL::TDialogRes: a copy of a dialog template resource, looked up by language.
#pragma once

#include "platform/owl/TResId.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace OWL {

class TDialogRes {
 public:
  // The template id of instance in language (0: the application's language), else in the
  // neutral or any language; IsOK is false when there is none.
  TDialogRes(HINSTANCE instance, const TResId& id, LANGID language = 0);

  bool IsOK() const noexcept { return !mBytes.empty(); }
  const DLGTEMPLATE* GetTemplate() const noexcept {
    return mBytes.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(mBytes.data());
  }
  size_t GetSize() const noexcept { return mBytes.size(); }

 private:
  std::vector<uint8_t> mBytes;
};

}  // namespace OWL
