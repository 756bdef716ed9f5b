// HostMessageBox: the host application's message box with the module's error style.
#include "hostclient/HostMessageBox.h"

#include "hostclient/FrameworkAccess.h"

#include <windows.h>

namespace {
constexpr uint32_t kErrorBoxStyle = MB_TASKMODAL | MB_ICONERROR;  // 0x2010
}  // namespace

int32_t HostMessageBox(const wchar_t* text, const wchar_t* caption) noexcept {
  IHostApplication* const host = GetHostApplication();
  if (!host) return IDOK;
  int32_t button = IDOK;
  // A host that cannot show the box leaves the answer at IDOK.
  if (FAILED(host->ShowMessageBox(nullptr, text, caption, kErrorBoxStyle, &button))) return IDOK;
  return button;
}
