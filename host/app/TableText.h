// What the host shows of a module document's table: the Table View's text export, as a user
// gets it by pressing "Export..." and naming a file.
#pragma once

#include <unknwn.h>

#include <cstdint>

namespace ondara_host {

// The table's event rows (those before the summary), and how many of them have no value in any
// cell (a stimulus that no response followed).
struct TableRows {
  int32_t events = 0;
  int32_t empty = 0;
};

// Has the document export its table into a temporary file and prints the file on stdout (its
// one-byte or UTF-16 characters as UTF-8); rows gets its event rows. 0, or 1 with a message on
// stderr when the export fails.
int PrintTableText(IUnknown* document, TableRows* rows);

}  // namespace ondara_host
