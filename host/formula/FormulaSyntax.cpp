// Formula text as a tree: tokenizer and the two recursive-descent parsers.
#include "host/formula/FormulaSyntax.h"

#include "host/common/MessageText.h"

#include <charconv>
#include <cmath>
#include <cwctype>

namespace host {

FormulaError::FormulaError(size_t position, const std::string& what)
    : std::runtime_error("position " + std::to_string(position) + ": " + what),
      mPosition(position) {}

namespace {

struct Token {
  enum class Kind { Word, Number, Punct, End };
  Kind kind = Kind::End;
  std::wstring text;
  double value = 0.0;
  size_t position = 0;  // from 1
};

bool IsWordStart(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// How deep a formula tree may grow: the parsers, the evaluator and the tree's destruction all
// recurse once per level, and a deeper text would exhaust the thread's stack.
constexpr int kMaxDepth = 200;

class Lexer {
 public:
  explicit Lexer(const std::wstring& text) : mText(text) { Advance(); }
  const Token& Peek() const { return mToken; }
  Token Take() {
    Token t = mToken;
    Advance();
    return t;
  }
  // One level deeper in the tree, for the text at position.
  void Enter(size_t position) {
    if (++mDepth > kMaxDepth)
      throw FormulaError(position, "formula nested deeper than " + std::to_string(kMaxDepth) + " levels");
  }
  void Leave(int levels = 1) { mDepth -= levels; }

 private:
  void Advance();
  void LexNumber();

  const std::wstring& mText;
  size_t mPos = 0;
  int mDepth = 0;
  Token mToken;
};

// Levels entered in one scope, left again when it ends (also when it ends by a FormulaError,
// which abandons the whole parse anyway).
class DepthScope {
 public:
  explicit DepthScope(Lexer& lexer) : mLexer(lexer) {}
  ~DepthScope() { mLexer.Leave(mLevels); }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;
  void Enter(size_t position) {
    mLexer.Enter(position);
    ++mLevels;
  }

 private:
  Lexer& mLexer;
  int mLevels = 0;
};

void Lexer::Advance() {
  while (mPos < mText.size() && std::iswspace(mText[mPos])) ++mPos;
  mToken = Token();
  mToken.position = mPos + 1;
  if (mPos >= mText.size()) return;
  const wchar_t c = mText[mPos];
  if (IsWordStart(c)) {
    const size_t start = mPos;
    while (mPos < mText.size() && (IsWordStart(mText[mPos]) || IsDigit(mText[mPos]))) ++mPos;
    mToken.kind = Token::Kind::Word;
    mToken.text = mText.substr(start, mPos - start);
    return;
  }
  if (IsDigit(c) || (c == L'.' && mPos + 1 < mText.size() && IsDigit(mText[mPos + 1]))) {
    LexNumber();
    return;
  }
  if (std::wstring(L"(),+-*/^").find(c) == std::wstring::npos) {
    const bool pair = c >= 0xD800 && c <= 0xDBFF && mPos + 1 < mText.size();
    throw FormulaError(mPos + 1, "unexpected character " + QuoteInput(mText.substr(mPos, pair ? 2 : 1)));
  }
  mToken.kind = Token::Kind::Punct;
  mToken.text = std::wstring(1, c);
  ++mPos;
}

// Digits with an optional fraction and exponent, read in the classic locale.
void Lexer::LexNumber() {
  const size_t start = mPos;
  while (mPos < mText.size() && IsDigit(mText[mPos])) ++mPos;
  if (mPos < mText.size() && mText[mPos] == L'.') {
    ++mPos;
    while (mPos < mText.size() && IsDigit(mText[mPos])) ++mPos;
  }
  if (mPos < mText.size() && (mText[mPos] == L'e' || mText[mPos] == L'E')) {
    size_t p = mPos + 1;
    if (p < mText.size() && (mText[p] == L'+' || mText[p] == L'-')) ++p;
    if (p < mText.size() && IsDigit(mText[p])) {
      mPos = p;
      while (mPos < mText.size() && IsDigit(mText[mPos])) ++mPos;
    }
  }
  std::string digits;  // ASCII digits, signs, '.' and 'e' only
  for (size_t i = start; i < mPos; ++i) digits.push_back(static_cast<char>(mText[i]));
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
    throw FormulaError(start + 1, "number " + QuoteInput(digits) + " out of range");
  mToken.kind = Token::Kind::Number;
  mToken.value = value;
  mToken.text = mText.substr(start, mPos - start);
}

bool IsPunct(const Token& t, wchar_t c) { return t.kind == Token::Kind::Punct && t.text[0] == c; }

std::string Describe(const Token& t) {
  if (t.kind == Token::Kind::End) return "the end of the formula";
  return QuoteInput(t.text);
}

[[noreturn]] void Expected(const Token& t, const std::string& what) {
  throw FormulaError(t.position, "expected " + what + ", found " + Describe(t));
}

void Expect(Lexer& lexer, wchar_t c) {
  if (!IsPunct(lexer.Peek(), c)) Expected(lexer.Peek(), std::string("'") + static_cast<char>(c) + "'");
  lexer.Take();
}

// Arguments after '(' up to and including ')'; parseArg parses one non-empty argument. "f()"
// has none; an empty place ("f(a,)", "f(,b)") is an omitted argument.
template <typename ParseArg>
std::vector<FormulaNode> ParseArguments(Lexer& lexer, ParseArg parseArg) {
  std::vector<FormulaNode> args;
  if (IsPunct(lexer.Peek(), L')')) {
    lexer.Take();
    return args;
  }
  for (;;) {
    const Token& t = lexer.Peek();
    if (IsPunct(t, L',') || IsPunct(t, L')')) {
      FormulaNode omitted;
      omitted.kind = FormulaNode::Kind::Omitted;
      omitted.position = t.position;
      args.push_back(omitted);
    } else {
      args.push_back(parseArg(lexer));
    }
    if (IsPunct(lexer.Peek(), L')')) {
      lexer.Take();
      return args;
    }
    if (!IsPunct(lexer.Peek(), L',')) Expected(lexer.Peek(), "',' or ')'");
    lexer.Take();
  }
}

FormulaNode ParseEnumCall(Lexer& lexer);

FormulaNode ParseEnumArgument(Lexer& lexer) {
  const Token t = lexer.Peek();
  if (t.kind == Token::Kind::Word) {
    FormulaNode channel;
    if (ParseChannelWord(t.text, t.position, &channel)) {
      lexer.Take();
      return channel;
    }
    return ParseEnumCall(lexer);
  }
  double sign = 1.0;
  if (IsPunct(t, L'-') || IsPunct(t, L'+')) {
    sign = IsPunct(t, L'-') ? -1.0 : 1.0;
    lexer.Take();
  }
  const Token n = lexer.Peek();
  if (n.kind != Token::Kind::Number) Expected(n, "a call, a channel or a number");
  lexer.Take();
  FormulaNode node;
  node.kind = FormulaNode::Kind::Number;
  node.position = t.position;
  node.value = sign * n.value;
  return node;
}

FormulaNode ParseEnumCall(Lexer& lexer) {
  const Token name = lexer.Peek();
  if (name.kind != Token::Kind::Word) Expected(name, "the name of a calculation");
  DepthScope depth(lexer);
  depth.Enter(name.position);
  lexer.Take();
  if (!IsPunct(lexer.Peek(), L'(')) Expected(lexer.Peek(), "'(' after " + QuoteInput(name.text));
  lexer.Take();
  FormulaNode node;
  node.kind = FormulaNode::Kind::Call;
  node.position = name.position;
  node.name = name.text;
  node.args = ParseArguments(lexer, ParseEnumArgument);
  return node;
}

FormulaNode ParseSum(Lexer& lexer);

FormulaNode MakeBinary(wchar_t op, size_t position, FormulaNode lhs, FormulaNode rhs) {
  FormulaNode node;
  node.kind = FormulaNode::Kind::Binary;
  node.op = op;
  node.position = position;
  node.args.push_back(std::move(lhs));
  node.args.push_back(std::move(rhs));
  return node;
}

FormulaNode ParsePrimary(Lexer& lexer) {
  const Token t = lexer.Take();
  DepthScope depth(lexer);
  depth.Enter(t.position);
  FormulaNode node;
  node.position = t.position;
  if (t.kind == Token::Kind::Number) {
    node.kind = FormulaNode::Kind::Number;
    node.value = t.value;
    return node;
  }
  if (IsPunct(t, L'(')) {
    node = ParseSum(lexer);
    Expect(lexer, L')');
    return node;
  }
  if (t.kind != Token::Kind::Word) Expected(t, "a number, 't', a function or '('");
  if (!IsPunct(lexer.Peek(), L'(')) {
    if (t.text != L"t" && t.text != L"T") throw FormulaError(t.position, "unknown name " + QuoteInput(t.text));
    node.kind = FormulaNode::Kind::Time;
    return node;
  }
  lexer.Take();
  node.kind = FormulaNode::Kind::Call;
  node.name = t.text;
  node.args = ParseArguments(lexer, ParseSum);
  return node;
}

FormulaNode ParseUnary(Lexer& lexer);

// base ^ exponent, right to left; the exponent may carry its own sign ("2^-1").
FormulaNode ParsePower(Lexer& lexer) {
  FormulaNode base = ParsePrimary(lexer);
  if (!IsPunct(lexer.Peek(), L'^')) return base;
  const size_t position = lexer.Take().position;
  DepthScope depth(lexer);
  depth.Enter(position);
  return MakeBinary(L'^', position, std::move(base), ParseUnary(lexer));
}

FormulaNode ParseUnary(Lexer& lexer) {
  const Token& t = lexer.Peek();
  if (IsPunct(t, L'-') || IsPunct(t, L'+')) {
    const bool negate = IsPunct(t, L'-');
    const size_t position = lexer.Take().position;
    DepthScope depth(lexer);
    depth.Enter(position);
    FormulaNode operand = ParseUnary(lexer);
    if (!negate) return operand;
    FormulaNode node;
    node.kind = FormulaNode::Kind::Negate;
    node.position = position;
    node.args.push_back(std::move(operand));
    return node;
  }
  return ParsePower(lexer);
}

// Operands joined left to right by the operators op1 and op2, each operand parsed by parseOperand.
FormulaNode ParseLeftToRight(Lexer& lexer, wchar_t op1, wchar_t op2, FormulaNode (*parseOperand)(Lexer&)) {
  FormulaNode lhs = parseOperand(lexer);
  DepthScope depth(lexer);  // each operator puts the terms before it one level deeper
  while (IsPunct(lexer.Peek(), op1) || IsPunct(lexer.Peek(), op2)) {
    const Token op = lexer.Take();
    depth.Enter(op.position);
    lhs = MakeBinary(op.text[0], op.position, std::move(lhs), parseOperand(lexer));
  }
  return lhs;
}

FormulaNode ParseProduct(Lexer& lexer) { return ParseLeftToRight(lexer, L'*', L'/', ParseUnary); }

FormulaNode ParseSum(Lexer& lexer) { return ParseLeftToRight(lexer, L'+', L'-', ParseProduct); }

void ExpectEnd(Lexer& lexer) {
  if (lexer.Peek().kind != Token::Kind::End) Expected(lexer.Peek(), "the end of the formula");
}

}  // namespace

bool ParseChannelWord(const std::wstring& word, size_t position, FormulaNode* node) {
  std::wstring w;
  for (const wchar_t c : word) w.push_back(static_cast<wchar_t>(std::towlower(c)));
  size_t p = 0;
  wchar_t mark = 0;
  if (!w.empty() && (w[0] == L'r' || w[0] == L'v')) {
    mark = w[0];
    p = 1;
  }
  if (w.compare(p, 7, L"channel") == 0) p += 7;
  else if (w.compare(p, 2, L"ch") == 0) p += 2;
  else return false;
  if (p >= w.size()) return false;
  int64_t number = 0;
  for (size_t i = p; i < w.size(); ++i) {
    if (!IsDigit(w[i])) return false;
    number = number * 10 + (w[i] - L'0');
    if (number > INT32_MAX) throw FormulaError(position, "channel number too large");
  }
  if (number < 1) throw FormulaError(position, "channels count from 1");
  node->kind = FormulaNode::Kind::Channel;
  node->position = position;
  node->channel = static_cast<int32_t>(number - 1);
  node->mark = mark;
  return true;
}

FormulaNode ParseEnumeratorFormula(const std::wstring& text) {
  Lexer lexer(text);
  FormulaNode root = ParseEnumCall(lexer);
  ExpectEnd(lexer);
  return root;
}

FormulaNode ParseSignalFormula(const std::wstring& text) {
  Lexer lexer(text);
  FormulaNode root = ParseSum(lexer);
  ExpectEnd(lexer);
  return root;
}

}  // namespace host
