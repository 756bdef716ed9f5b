// Small pieces shared by the reference pages: text conversion, numbers and type lists.
#pragma once

#include <cstdint>
#include <string>

namespace refdocs {

// UTF-8 of the module's wide text.
std::string Narrow(const wchar_t* text);
// A whole number without decimals, any other the shortest text that reads back ("0.0005").
std::string NumberText(double value);
// The analysis types of a type mask by number: "1, 3"; "none" for an empty mask.
std::string TypeList(int32_t typeMask);
// The head every generated page opens with: title, then who writes it and how to write it again.
std::string PageHead(const char* title);

}  // namespace refdocs
