// The words for a cycle detector settings text that the detector does not take.
#include "host/cycles/DetectionTextProblem.h"

#include <locale>
#include <sstream>
#include <vector>

#include "host/common/MessageText.h"
#include "host/cycles/DetectionSettings.h"

namespace host {

namespace {

// The text's numbers in order: the version, then the parameters as DetectionValues::ToText writes them.
constexpr int kNumbers = 10;
constexpr const char* kPlaces[kNumbers] = {"first", "second", "third",   "fourth", "fifth",
                                           "sixth", "seventh", "eighth", "ninth",  "tenth"};

// The text's blank-separated words, and whether each reads whole as a number (classic notation).
std::vector<std::wstring> Words(const std::wstring& text, bool* allNumbers) {
  std::wistringstream in(text);
  std::vector<std::wstring> words;
  *allNumbers = true;
  for (std::wstring word; in >> word;) {
    std::wistringstream number(word);
    number.imbue(std::locale::classic());
    double value = 0.0;
    *allNumbers = *allNumbers && (number >> value) && number.peek() == std::char_traits<wchar_t>::eof();
    words.push_back(word);
  }
  return words;
}

// "the fifth number (the threshold, ...) is 12: it takes 0.05 to 9".
std::string NumberFault(const std::vector<std::wstring>& words, int place, const std::string& meaning,
                  const std::string& takes) {
  return std::string("the ") + kPlaces[place] + " number (" + meaning + ") is " + Utf8FromWide(words[place]) +
         ": it takes " + takes;
}

}  // namespace

std::string DetectionTextProblem(const std::wstring& text) {
  bool allNumbers = false;
  const std::vector<std::wstring> words = Words(text, &allNumbers);
  if (words.empty() || !allNumbers) return std::string();
  if (words.size() != kNumbers)
    return "not detection settings the host's detector reads: they are ten numbers, and this text has " +
           std::to_string(words.size());
  DetectionValues v;
  if (!v.FromText(text)) return NumberFault(words, 0, "the version of the text", "1");
  const char* const baseline = "the baseline's length, in ms";
  switch (v.Fault()) {
    case DetectionFault::Channel: return NumberFault(words, 1, "the channel, counted from 0", "0 to 999999");
    case DetectionFault::Polarity: return NumberFault(words, 2, "the direction", "1 (upward) or -1 (downward)");
    case DetectionFault::Hysteresis: return NumberFault(words, 3, "the hysteresis", "at least 0 and less than 1");
    case DetectionFault::Interval: return NumberFault(words, 5, "the shortest interval, in ms", "0 to 1000000000");
    case DetectionFault::Baseline: return NumberFault(words, 6, baseline, "0 to 1000000000");
    case DetectionFault::RelativeBaseline:
      return NumberFault(words, 6, baseline, "more than 0 while the threshold is relative (the eighth number)");
    case DetectionFault::RelativeHeight:
      return NumberFault(words, 4, "the threshold, in standard deviations of the noise", "0.05 to 9");
    case DetectionFault::AbsoluteHeight:
      return NumberFault(words, 4, "the threshold above the baseline, in the channel's units",
                   "more than 0 while the tenth number is 0");
    case DetectionFault::None:
    case DetectionFault::NonFiniteHeight: break;
  }
  return std::string();
}

std::string DetectionThresholdWords(const std::wstring& text, const std::string& unit) {
  DetectionValues v;
  // The detector makes the threshold relative only when the baseline is long enough to measure the noise.
  if (v.FromText(text) && !v.IsRelativeThreshold())
    return "the threshold above the baseline, in " + unit;
  return "the threshold, in standard deviations of the noise";
}

}  // namespace host
