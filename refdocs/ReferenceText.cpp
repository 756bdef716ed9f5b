// Small pieces shared by the reference pages: text conversion, numbers and type lists.
#include "refdocs/ReferenceText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace refdocs {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (const wchar_t* c = text; c && *c; ++c) {
    const auto u = static_cast<uint32_t>(static_cast<uint16_t>(*c));
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

std::string NumberText(double value) {
  char text[32];
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
  }
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

std::string TypeList(int32_t typeMask) {
  std::string out;
  for (int type = 0; type < 6; ++type) {
    if ((typeMask & (1 << type)) == 0) continue;
    if (!out.empty()) out += ", ";
    out += std::to_string(type);
  }
  return out.empty() ? "none" : out;
}

std::string PageHead(const char* title) {
  return std::string("# ") + title +
         "\n\n"
         "<!-- Written by ondara-refdocs.exe (refdocs/) from the module's own settings and catalogue; a test fails\n"
         "     when this file and they differ. Write it again with: wine build/bin/ondara-refdocs.exe docs -->\n\n"
         "Analysis types by number (`--type` takes the number or the name): 0 General - Unstimulated,\n"
         "1 Cardiac Action Potential, 2 Synaptic, 3 Evoked Response, 4 Population Spike, 5 Action Potential.\n\n";
}

}  // namespace refdocs
