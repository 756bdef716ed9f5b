// The analysis document the benchmark runs over a recording, opened as the stand-in host opens it.
#pragma once

#include "document/ZRDoc.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/data/Recording.h"

namespace bench {

// Registers the framework, the module's enumerators, the host's formula class and the document class once;
// false when the framework cannot be registered.
bool RegisterDocumentClasses();

// A document over the recording with the Cardiac Action Potential analysis, no width filter, peaks at least
// 10 ms wide; doc is null when it could not be made.
struct BenchDocument {
  host::HostPtr<host::DataDocument> data;
  host::HostPtr<host::HostDocument> hostDocument;
  host::HostPtr<ZR::Doc::ZRDoc> doc;

  BenchDocument(host::Recording recording, bool whileSampling);
  ~BenchDocument();
  BenchDocument(const BenchDocument&) = delete;
  BenchDocument& operator=(const BenchDocument&) = delete;
};

}  // namespace bench
