// Arithmetic signal formulas: a value for every time t.
#include "host/formula/SignalFormula.h"

#include <cmath>
#include <cwctype>

namespace host {

namespace {

std::wstring Lower(const std::wstring& s) {
  std::wstring r;
  for (const wchar_t c : s) r.push_back(static_cast<wchar_t>(std::towlower(c)));
  return r;
}

// Checks every call for a known function with its number of arguments.
void Check(const FormulaNode& node) {
  for (const FormulaNode& arg : node.args) {
    if (arg.kind == FormulaNode::Kind::Omitted)
      throw FormulaError(arg.position, "missing argument");
    if (arg.kind == FormulaNode::Kind::Channel)
      throw FormulaError(arg.position, "a signal formula takes no channel");
    Check(arg);
  }
  if (node.kind != FormulaNode::Kind::Call) return;
  const std::wstring name = Lower(node.name);
  size_t expected = 0;
  if (name == L"sin") expected = 1;
  else if (name == L"threshold") expected = 2;
  else throw FormulaError(node.position, "unknown function in a signal formula");
  if (node.args.size() != expected)
    throw FormulaError(node.position, "expects " + std::to_string(expected) + " argument(s), given " +
                                          std::to_string(node.args.size()));
}

double Eval(const FormulaNode& node, double t) {
  switch (node.kind) {
    case FormulaNode::Kind::Number:
      return node.value;
    case FormulaNode::Kind::Time:
      return t;
    case FormulaNode::Kind::Negate:
      return -Eval(node.args[0], t);
    case FormulaNode::Kind::Binary: {
      const double a = Eval(node.args[0], t);
      const double b = Eval(node.args[1], t);
      switch (node.op) {
        case L'+': return a + b;
        case L'-': return a - b;
        case L'*': return a * b;
        case L'/': return a / b;
        default: return std::pow(a, b);
      }
    }
    case FormulaNode::Kind::Call:
      if (node.args.size() == 1) return std::sin(Eval(node.args[0], t));
      return Eval(node.args[0], t) > Eval(node.args[1], t) ? 1.0 : 0.0;
    default:
      return 0.0;  // Check admits no other kind
  }
}

}  // namespace

SignalFormula::SignalFormula(const std::wstring& text) : mRoot(ParseSignalFormula(text)) {
  if (mRoot.kind == FormulaNode::Kind::Channel) throw FormulaError(1, "a signal formula takes no channel");
  Check(mRoot);
}

double SignalFormula::Evaluate(double t) const { return Eval(mRoot, t); }

std::vector<float> SignalFormula::Sample(double tickPeriod, int32_t firstTick, int32_t count) const {
  std::vector<float> samples;
  samples.reserve(count > 0 ? static_cast<size_t>(count) : 0u);
  for (int32_t i = 0; i < count; ++i) {
    const double tick = static_cast<double>(firstTick) + i;
    const double v = Evaluate(tick * tickPeriod);
    if (!std::isfinite(v) || std::fabs(v) > 3.4028234663852886e38)
      throw FormulaError(1, "the signal has no finite value at tick " +
                                std::to_string(static_cast<long long>(tick)));
    samples.push_back(static_cast<float>(v));
  }
  return samples;
}

}  // namespace host
