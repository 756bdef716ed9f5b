// The analyze command's analysis document: opened from a documents file or new, and the named
// commands it is sent, as the host's command line sends them.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/HostDocument.h"
#include "hostapi/CustomDocument.h"

#include <string>

namespace ondara_host {

// The analysis document: the first one saved in the documents file when there is such a file
// (a new one when it holds none), else a new one. refusal gets what was wrong with a documents
// file that does not open.
HRESULT OpenAnalysisDocument(host::HostDocument& hostDocument, const std::wstring& documents,
                             host::HostPtr<ICustomDocument2>& document, std::wstring* refusal);

// Sends a named command ("ZR_Analyze") to the document through the command's message class
// object and the framework's router. S_OK when the document consumed it; E_INVALIDARG when no
// command has that name.
HRESULT SendNamedCommand(const wchar_t* name, IUnknown* target);

}  // namespace ondara_host
