// What a run made of a damaged documents file: refused, or the settings it went on with (as it
// saved them back) compared with the undamaged file's and with what the damaged file says.
#pragma once

#include "bench/damage/DocumentsImage.h"
#include "bench/damage/DocumentsRun.h"

#include <string>

namespace sweep {

enum class Verdict {
  kRefused,              // one line saying what is wrong; nothing saved
  kRefusedWithoutWords,  // refused, but the line says nothing of why
  kUnchanged,            // the settings of the undamaged file
  kAsStated,             // other values, each one the damaged file holds in a form a user could give
  kOlderFile,            // as stated, settings the file lacks (and no unknown id) at their defaults
  kNewerFile,            // as stated, ids this build does not know skipped (and none lacking)
  kChangedWithMessage,   // changed, and a message said so
  kSilent                // changed without a message: a fault
};

const char* VerdictName(Verdict verdict);

struct Judgement {
  Verdict verdict;
  std::string why;  // for a silent change: the first setting that differs
};

// defaults: the image of a file saved with every setting at its default (analysis channel 1,
// so that channels 0 and 1 have groups).
Judgement Judge(const RunResult& run, const DocumentsImage& original, const DocumentsImage& damaged,
                const DocumentsImage& defaults);

}  // namespace sweep
