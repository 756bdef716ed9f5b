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
// error when it cannot load it; then nothing is kept, and refusal (when given) gets the words
// the persistence object left as the thread's error information (empty when it left none).
HRESULT OpenCustomDocument(HostDocument& hostDocument, const std::wstring& className,
                           uint32_t flags, HostPtr<ICustomDocument2>& document,
                           IStream* saved = nullptr, std::wstring* refusal = nullptr);

// Runs the menu command whose text is path ("Ondara|Analysis View"; '&' marks are not compared)
// on document, as a click on the host's menu does: the document class named className adds its
// menus to the host's menu bar and the command's id goes to the document's command handler.
// The document's answer; E_INVALIDARG when the menus hold no such command.
HRESULT RunMenuCommand(IUnknown* document, const std::wstring& className, const std::wstring& path);

// The name of the registered document class of typeId; empty when there is none.
std::wstring DocumentClassName(uint32_t typeId);

}  // namespace host
