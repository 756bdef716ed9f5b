// The module's help: topics of its help file opened through the host application.
#pragma once

#include <windows.h>

namespace ZR::Doc {

// Opens topic in the help file "OndaraHelp"; the host's answer, E_FAIL without a host
// application or its help service.
HRESULT ShowHelpTopic(const wchar_t* topic) noexcept;

}  // namespace ZR::Doc
