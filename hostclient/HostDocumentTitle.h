// The title the host shows for a host document (its data file's name).
#pragma once

#include "base/String.h"

#include <unknwn.h>

// Empty when the document is null or gives no title.
QOR::String HostDocumentTitle(IUnknown* hostDocument);
// "title: name", or name alone when the document gives no title: how printouts of a document's
// views are titled.
QOR::String DocumentViewTitle(IUnknown* hostDocument, const QOR::String& name);
