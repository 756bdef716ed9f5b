// HostMessageBox: an error message box shown through the host application.
#pragma once

#include <cstdint>

// Shows text under caption through the host application (no owner, task-modal, error icon)
// and answers the button the user pressed. Without a host application nothing is shown and
// the answer is IDOK (1), as if the user had confirmed.
int32_t HostMessageBox(const wchar_t* text, const wchar_t* caption) noexcept;
