// The data file's Periodix service, found among the host data document's child objects.
#pragma once

#include <unknwn.h>

struct IPXPresetService;

namespace QOR {

// The preset service of the Periodix child object (class number 0) of the host data document,
// with one reference for the caller; null when the document, its child list, the child or
// its interface is missing.
IPXPresetService* GetHostChildObject(IUnknown* hostDataDocument) noexcept;

}  // namespace QOR
