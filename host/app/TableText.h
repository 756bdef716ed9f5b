// What the host shows of a module document's table: the Table View's text export, as a user
// gets it by pressing "Export..." and naming a file.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace ondara_host {

// Has the document export its table into a temporary file and prints the file on stdout (its
// one-byte or UTF-16 characters as UTF-8); rows gets how many event rows (those before the
// summary) it has. 0, or 1 with a message on stderr when the export fails.
int PrintTableText(IUnknown* document, int32_t* rows);

}  // namespace ondara_host
