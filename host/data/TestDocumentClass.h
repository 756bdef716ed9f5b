// The host's test-document class: a new, empty data document for each request of a self-check.
#pragma once

#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

namespace host {

// Registers the class object (IGenericClassObject) under the type id of kTestDocumentClassGuid.
// Its documents build their calculated channels' chains with formulaClass.
HRESULT RegisterTestDocumentClass(IClassRegistry* registry, ITypeRegistry* types, ICalcEnumClass2* formulaClass);

// For tests: while set, the class answers every request with E_OUTOFMEMORY, as a host that
// cannot make a document.
void RefuseTestDocuments(bool refuse) noexcept;

}  // namespace host
