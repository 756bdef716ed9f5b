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
std::string Fault(const std::vector<std::wstring>& words, int place, const std::string& meaning,
                  const std::string& takes) {
  return std::string("the ") + kPlaces[place] + " number (" + meaning + ") is " + Utf8FromWide(words[place]) +
         ": it takes " + takes;
}

std::string ThresholdFault(const std::vector<std::wstring>& words, const DetectionValues& v) {
  const std::string absolute = "the threshold above the baseline, in the channel's units";
  if (RelativeSwitchOn(v.relative)) {
    if (!(v.baselineMs > 0.0))
      return Fault(words, 6, "the baseline's length, in ms", "more than 0 while the threshold is relative (the eighth number)");
    if (!(v.minPeakHeight >= 0.05 && v.minPeakHeight <= 9.0))
      return Fault(words, 4, "the threshold, in standard deviations of the noise", "0.05 to 9");
    return std::string();
  }
  if (v.allowNonPositive == 0.0 && !(v.minPeakHeight > 0.0))
    return Fault(words, 4, absolute, "more than 0 while the tenth number is 0");
  return std::string();
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
  if (!v.FromText(text)) return Fault(words, 0, "the version of the text", "1");
  if (v.IsValid()) return std::string();
  if (!(v.channel >= 0.0 && v.channel < 1e6)) return Fault(words, 1, "the channel, counted from 0", "0 to 999999");
  if (v.polarity != 1.0 && v.polarity != -1.0) return Fault(words, 2, "the direction", "1 (upward) or -1 (downward)");
  if (!(v.hysteresis >= 0.0 && v.hysteresis < 1.0)) return Fault(words, 3, "the hysteresis", "at least 0 and less than 1");
  if (!(v.minIntervalMs >= 0.0 && v.minIntervalMs <= 1e9))
    return Fault(words, 5, "the shortest interval, in ms", "0 to 1000000000");
  if (!(v.baselineMs >= 0.0 && v.baselineMs <= 1e9))
    return Fault(words, 6, "the baseline's length, in ms", "0 to 1000000000");
  return ThresholdFault(words, v);
}

std::string DetectionThresholdWords(const std::wstring& text, const std::string& unit) {
  DetectionValues v;
  // The detector makes the threshold relative only when the baseline is long enough to measure the noise.
  if (v.FromText(text) && !(RelativeSwitchOn(v.relative) && v.baselineMs > 0.0))
    return "the threshold above the baseline, in " + unit;
  return "the threshold, in standard deviations of the noise";
}

}  // namespace host
