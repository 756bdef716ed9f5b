// Formula text as a tree: the host's enumerator formulas (nested calls of enumerator classes
// over channels and numbers) and its arithmetic signal formulas.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// A formula that does not parse: the message names the position (characters from 1).
class FormulaError : public std::runtime_error {
 public:
  FormulaError(size_t position, const std::string& what);
  size_t Position() const { return mPosition; }

 private:
  size_t mPosition;
};

struct FormulaNode {
  enum class Kind {
    Call,     // name(args...): an enumerator class or, in signal formulas, sin or threshold
    Channel,  // chN / channelN, optionally marked r or v
    Number,
    Omitted,  // an argument left out (empty or trailing): the parameter's default
    Time,     // t, seconds from the record start (signal formulas)
    Binary,   // op is one of + - * / ^
    Negate,
  };
  Kind kind = Kind::Number;
  size_t position = 0;  // where the node starts in the text, from 1
  std::wstring name;    // Call: as written
  int32_t channel = 0;  // Channel: index from 0
  wchar_t mark = 0;     // Channel: 0, L'r' or L'v'
  double value = 0.0;   // Number
  wchar_t op = 0;       // Binary
  std::vector<FormulaNode> args;
};

// Enumerator formula: a call whose arguments are calls, channels, numbers (with an optional
// sign) or nothing. Names keep their letter case; the caller matches them.
FormulaNode ParseEnumeratorFormula(const std::wstring& text);

// Signal formula: numbers, t, + - * /, ^ (binding tighter than * and unary minus, right to
// left), unary minus, parentheses and calls (checked by the evaluator).
FormulaNode ParseSignalFormula(const std::wstring& text);

// Whether a word is a channel reference ("ch3", "Channel12", "vch1", "rchannel2"); fills the
// node when it is. A word like "ch" or "ch0" is not one.
bool ParseChannelWord(const std::wstring& word, size_t position, FormulaNode* node);

}  // namespace host
