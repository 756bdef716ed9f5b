// DPIFontMap: the comment fonts per device resolution, made on first use of a resolution and
// kept until the module unloads.
#pragma once

#include <map>
#include <memory>

namespace OWL {
class TDC;
class TFont;
}  // namespace OWL

namespace ScrivoClient {

class DPIFontMap {
 public:
  struct Entry {
    std::unique_ptr<OWL::TFont> normal;
    std::unique_ptr<OWL::TFont> bold;
    int averageCharWidth = 0;
  };

  // The process's one map.
  static DPIFontMap& Instance();
  // The fonts for the DC's LOGPIXELSY, in the user-interface point size (10, or 12 for a
  // Chinese or Japanese user interface).
  const Entry& ForDC(const OWL::TDC& dc);
  size_t Size() const noexcept { return mEntries.size(); }

 private:
  std::map<int, Entry> mEntries;
};

}  // namespace ScrivoClient
