// ondara-refdocs.exe: writes the reference pages docs/settings.md and docs/columns.md.
#include "refdocs/ColumnsReference.h"
#include "refdocs/SettingsReference.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

namespace {

bool WritePage(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "ondara-refdocs: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

// ondara-refdocs [FOLDER]: the pages into FOLDER (docs when none is given).
int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "docs";
  try {
    const bool written = WritePage(folder + "/settings.md", refdocs::SettingsReference()) &&
                         WritePage(folder + "/columns.md", refdocs::ColumnsReference());
    return written ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ondara-refdocs: %s\n", e.what());
    return 1;
  }
}
