// What the host shows of a module document's table: the Table View's text export, as a user
// gets it by pressing "Export..." and naming a file.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace ondara_host {

// Has the document export its table into a temporary file and prints the file on stdout (its
// one-byte characters as UTF-8); rows gets the number of event rows (those before the summary).
// 0, or 1 with a message on stderr when the export fails.
int PrintTableText(IUnknown* document, int32_t* rows);

}  // namespace ondara_host
