// The report of an exception caught where it must not go on (a window procedure, a hook).
#pragma once

#include <windows.h>

namespace OWL {

// Called inside a catch block: shows the text of the exception being handled (XQOR's message,
// a standard exception's what()) over owner through the modal seam; never throws.
void ReportBoundaryFailure(HWND owner) noexcept;

}  // namespace OWL
