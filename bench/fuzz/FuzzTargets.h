// What the fuzzer feeds: each target has seed inputs, a dictionary for its mutations and the run
// of one input through the code that parses it.
#pragma once

#include "bench/fuzz/FuzzInput.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"

#include <functional>
#include <string>
#include <vector>

namespace fuzz {

struct Target {
  std::string name;
  std::vector<std::string> seeds;
  Dictionary words;
  // Runs one input: true when it was taken, false when it was refused with an error. Lets out no
  // exception for input it refuses.
  std::function<bool(const std::string&)> run;
};

// The stand-in host with the module loaded, and a small recording the formulas run over.
class FuzzHost {
 public:
  // Registers the framework and loads Ondara.dll from beside the executable; false on failure.
  bool Start();
  ICalcEnumClass2* FormulaClass() const { return mFormulaClass.Get(); }
  host::DataDocument* Document() const { return mDocument.Get(); }

 private:
  host::HostPtr<ICalcEnumClass2> mFormulaClass;
  host::HostPtr<host::DataDocument> mDocument;
};

// Formulas: calls of the registered enumerator classes with numbers at and beyond their bounds,
// and the chains the analysis writes; each is run offline, or now and then online.
Target MakeFormulaTarget(FuzzHost& host);

// Recording texts in every form the reader takes; a text that reads is run through a detector.
Target MakeRecordingTarget(FuzzHost& host);

// The binary storage format read value by value (words, doubles, strings in every encoding).
Target MakeStreamTarget();

// The analysis settings store read from its stream form, and written back when it reads.
Target MakeSettingsTarget();

// The table's column-state record read by a table-view manager, and written back when it reads.
Target MakeColumnStateTarget();

// The Table View's significant-figure record, read into a format map, and written back when it
// reads; every stored entry must name a measurement and keep figures a stream can use.
Target MakeCellFormatTarget();

// What the expression builder writes for every analysis type and detection method: detector,
// calculation chain and measurement selector.
std::vector<std::string> BuilderFormulas();

}  // namespace fuzz
