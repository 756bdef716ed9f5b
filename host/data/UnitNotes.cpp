// What the recording reader says about the units its header gives the channels.
#include "host/data/UnitNotesPrivate.h"

#include "host/common/MessageText.h"
#include "host/common/UnitText.h"
#include "host/data/RecordingReader.h"

#include <vector>

namespace host {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The known unit an unknown one plainly stands for, as the words that offer it; empty when none.
std::string Suggestion(std::string_view units, const char* before) {
  const std::wstring nearest = NearestKnownUnit(WideFromUtf8(units));
  return nearest.empty() ? std::string() : before + Utf8FromWide(nearest) + "?";
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// Whether the word `word` opens the name and ends there or before a character that is no letter.
bool OpensWithWord(std::string_view name, std::string_view word) {
  return StartsWith(name, word) && (name.size() == word.size() || !IsLetter(name[word.size()]));
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower.find(part) != std::string::npos;
}

// What a name without a unit says it holds, as electrophysiologists name channels: a current ("I",
// "Im", "Istim", "Ihold", "Current"), a voltage ("V", "Vm", "Voltage", "Potential"), or neither.
enum class Quantity { Current, Voltage, Unknown };

Quantity QuantityOf(std::string_view name) {
  for (const char* word : {"I", "Im", "Istim", "Ihold", "Iinj"})
    if (OpensWithWord(name, word)) return Quantity::Current;
  if (ContainsNoCase(name, "current")) return Quantity::Current;
  for (const char* word : {"V", "Vm", "Vmem"})
    if (OpensWithWord(name, word)) return Quantity::Voltage;
  if (ContainsNoCase(name, "volt") || ContainsNoCase(name, "potential")) return Quantity::Voltage;
  return Quantity::Unknown;
}

// What a unit measures: a current (A with or without a prefix), a voltage (V), or neither.
Quantity QuantityOfUnit(std::string_view unit) {
  const std::wstring base = SplitUnitText(WideFromUtf8(unit)).baseUnit;
  return base == L"A" ? Quantity::Current : base == L"V" ? Quantity::Voltage : Quantity::Unknown;
}

// A unit a data frame spelt into the name with '_' or '.' for its brackets ("I_pA", "Im..pA."):
// the name before it and the unit, a known one of two letters or more (not "V_m"); false otherwise.
bool SplitSpeltUnit(std::string_view name, std::string_view* bare, std::string_view* unit) {
  constexpr std::string_view kMarks = "_.";
  const size_t last = name.find_last_not_of(kMarks);
  if (last == std::string_view::npos) return false;
  const size_t before = name.find_last_of(kMarks, last);
  if (before == std::string_view::npos) return false;
  *unit = name.substr(before + 1, last - before);
  const size_t end = name.find_last_not_of(kMarks, before);
  *bare = end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
  return !bare->empty() && unit->size() >= 2 && IsKnownUnitText(WideFromUtf8(*unit));
}

// The units a channel is written in, and the base units the magnitudes such signals are recorded
// at span: a current's largest value lies between 1 pA and 100 nA, a voltage's between 1 mV and 1 V.
struct WrittenUnit {
  const char* unit;
  double scale;  // its base units
  Quantity quantity;
};
constexpr WrittenUnit kWrittenUnits[] = {{"mV", 1e-3, Quantity::Voltage}, {"pA", 1e-12, Quantity::Current},
                                         {"nA", 1e-9, Quantity::Current},  {"V", 1.0, Quantity::Voltage},
                                         {"A", 1.0, Quantity::Current},    {"uV", 1e-6, Quantity::Voltage}};
constexpr double kLargestCurrent[] = {1e-12, 1e-7};
constexpr double kLargestVoltage[] = {1e-3, 1.0};

// The units, at most two and the likelier first, in which a channel of this quantity (any, for
// Unknown) whose largest value is `largest` reads as such a signal; where none does, those its
// quantity is written in most (pA or nA; mV; mV or pA).
std::vector<const char*> FittingUnits(Quantity quantity, double largest) {
  std::vector<const char*> units;
  for (const WrittenUnit& written : kWrittenUnits) {
    const double* range = written.quantity == Quantity::Current ? kLargestCurrent : kLargestVoltage;
    const double base = largest * written.scale;
    if ((quantity == Quantity::Unknown || quantity == written.quantity) && base >= range[0] && base <= range[1] &&
        units.size() < 2)
      units.push_back(written.unit);
  }
  if (!units.empty()) return units;
  switch (quantity) {
    case Quantity::Current:
      return {"pA", "nA"};
    case Quantity::Voltage:
      return {"mV"};
    case Quantity::Unknown:
      break;
  }
  return {"mV", "pA"};
}

// The unit to write in brackets for a name without one: "units are read in brackets: 'Im [pA]'"
// where the name gives it in parentheses or spelt as data frames write it, else the units that fit
// its largest value among those its name stands for (any, where it says neither).
std::string BracketAdvice(std::string_view name, double largest) {
  std::string_view bare, unit;
  if ((SplitParenthesisedUnit(name, &bare, &unit) || SplitSpeltUnit(name, &bare, &unit)) &&
      IsKnownUnitText(WideFromUtf8(unit)))
    return "units are read in brackets: " + BracketForm(bare, unit);
  const Quantity quantity = QuantityOf(name);
  const std::vector<const char*> units = FittingUnits(quantity, largest);
  std::string words = "give its unit in brackets, as " + BracketForm(name, units[0]);
  if (units.size() == 1) return words;
  const std::string whichever = BracketForm(name, units[1]) + ", whichever its values are in";
  return words + (quantity == Quantity::Unknown ? " or " + whichever : " (or " + whichever + ")");
}

// Times in minutes of a recording sampled at 1 kHz or more read as seconds give 60 kHz or more;
// the bound leaves 1% for times rounded as written.
constexpr double kLowestMinutesRate = 59400.0;

}  // namespace

bool SplitParenthesisedUnit(std::string_view name, std::string_view* bare, std::string_view* unit) {
  const size_t open = name.rfind('(');
  if (open == std::string_view::npos || name.back() != ')') return false;
  *bare = TrimBlanks(name.substr(0, open));
  *unit = TrimBlanks(name.substr(open + 1, name.size() - open - 2));
  return !bare->empty();
}

std::string BracketForm(std::string_view name, std::string_view unit) {
  return QuoteInput(std::string(name) + " [" + std::string(unit) + "]");
}

std::string UnitCharacterFault(std::string_view units, size_t* at) {
  for (size_t i = 0; i < units.size(); ++i) {
    if (static_cast<unsigned char>(units[i]) >= 0x20 && units[i] != 0x7F) continue;
    *at = i;
    return "the unit " + QuoteInput(units) + " holds a control character" + Suggestion(units, ": did you mean ");
  }
  return std::string();
}

std::string UnitNote(std::string_view name, std::string_view units, double largest) {
  const std::string channel = "channel " + std::string(name);
  const std::string read = ": its values are read as base units";
  // Heights and thresholds are given in base units: without a unit they count the file's own numbers.
  if (units.empty())
    return channel + " has no unit in [ ]" + read + ", so heights and thresholds count its own numbers: " +
           BracketAdvice(name, largest);
  if (IsKnownUnitText(WideFromUtf8(units))) return std::string();
  return channel + " has the unknown unit " + QuoteInput(units) + " in [ ]" + read + Suggestion(units, "; did you mean ");
}

std::string KeyedUnitForm(std::string_view name, std::string_view unit, double largest) {
  std::string_view bare, own;
  if ((SplitParenthesisedUnit(name, &bare, &own) || SplitSpeltUnit(name, &bare, &own)) &&
      IsKnownUnitText(WideFromUtf8(own)))
    return BracketForm(bare, own);
  const Quantity quantity = QuantityOf(name);
  if (quantity == Quantity::Unknown || quantity == QuantityOfUnit(unit)) return BracketForm(name, unit);
  return BracketForm(name, FittingUnits(quantity, largest)[0]);
}

std::string TimeUnitNote(std::string_view name, double period) {
  const double rate = 1.0 / period;
  const std::string note = "the Time column has no unit in [ ]: its values are read as seconds, a sampling rate of " +
                           NumberText(rate) + " Hz";
  const std::string seconds = " and head the column " + BracketForm(name, "s");
  if (rate < kHighestMsRate)
    return note + ", below the rates recordings are made at: they are most likely ms, which give " +
           NumberText(rate * 1000) + " Hz: divide them by 1000" + seconds;
  if (rate > kHighestUsualRate)
    return note + ", above the rates recordings are made at: they are most likely minutes, which give " +
           NumberText(rate / 60) + " Hz: multiply them by 60" + seconds;
  if (rate > kLowestMinutesRate)
    return note + "; if they are minutes, which give " + NumberText(rate / 60) + " Hz, multiply them by 60" + seconds;
  return note;
}

}  // namespace host
