// What the recording reader says about the units its header gives the channels.
#include "host/data/UnitNotesPrivate.h"

#include "host/common/MessageText.h"
#include "host/common/UnitText.h"

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

std::string UnitNote(std::string_view name, std::string_view units) {
  const std::string channel = "channel " + std::string(name);
  const std::string read = ": its values are read as base units";
  std::string_view bare, parenthesised;
  if (units.empty()) {
    const bool bracketable =
        SplitParenthesisedUnit(name, &bare, &parenthesised) && IsKnownUnitText(WideFromUtf8(parenthesised));
    // Heights are given in base units: without a unit they count the file's own numbers.
    return channel + " has no unit in [ ]" + read +
           ", so heights count its own numbers (the default height of 30 mV is 0.03 of them): " +
           (bracketable ? "units are read in brackets: " + BracketForm(bare, parenthesised)
                        : "give its unit in brackets, as " + BracketForm(name, "mV"));
  }
  if (IsKnownUnitText(WideFromUtf8(units))) return std::string();
  return channel + " has the unknown unit " + QuoteInput(units) + " in [ ]" + read + Suggestion(units, "; did you mean ");
}

}  // namespace host
