// The reference page of the Table View's measurement columns, read from the catalogue.
#pragma once

#include <string>

namespace refdocs {

// The page as Markdown. Throws std::logic_error naming a measurement the notes do not describe.
std::string ColumnsReference();

}  // namespace refdocs
