// The host's test-document class: a new, empty data document for each request of a self-check.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// Registers the class object (IGenericClassObject) under the type id of kTestDocumentClassGuid.
// Each new document builds its calculated channels' chains with the formula enumerator class the
// registry holds then (none: its calculated channels yield nothing).
HRESULT RegisterTestDocumentClass(IClassRegistry* registry, ITypeRegistry* types);

// For tests: while set, the class answers every request with E_OUTOFMEMORY, as a host that
// cannot make a document.
void RefuseTestDocuments(bool refuse) noexcept;

}  // namespace host
