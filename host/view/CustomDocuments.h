// Creating a module's document beside a host document through its registered class.
#pragma once

#include "host/common/HostPtr.h"
#include "host/data/HostDocument.h"
#include "hostapi/CustomDocument.h"

#include <objidl.h>

#include <string>

namespace host {

// Creates a document of the registered document class named className over hostDocument,
// keeps it among the host document's children and tells it its data is attached. With saved,
// the document's persistence object (GetPersistObject(0, 2)) first loads that stream and counts
// as registered with the host. CLASS_E_CLASSNOTAVAILABLE without such a class; the class's
// error when it cannot make the document, E_NOINTERFACE when it keeps no stream, the stream's
// error when it cannot load it; then nothing is kept.
HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document,
                           IStream* saved = nullptr);

// The name of the registered document class of typeId; empty when there is none.
std::wstring DocumentClassName(uint32_t typeId);

}  // namespace host
