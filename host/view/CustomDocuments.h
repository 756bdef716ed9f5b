// Creating a module's document beside a host document through its registered class.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/HostDocument.h"
#include "hostapi/CustomDocument.h"

#include <string>

namespace host {

// Creates a document of the registered document class named className over hostDocument,
// keeps it among the host document's children and tells it its data is attached.
// CLASS_E_CLASSNOTAVAILABLE without such a class; the class's error when it cannot make the
// document, and then nothing is kept.
HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document);

}  // namespace host
