// A formula's enumerator chain, built from the registered enumerator classes.
#include "host/formula/FormulaChain.h"

#include "host/common/HostString.h"
#include "host/common/MessageText.h"

#include <algorithm>
#include <charconv>

namespace host {

namespace {

void Collect(const FormulaNode& node, std::vector<ChannelRef>* refs) {
  if (node.kind == FormulaNode::Kind::Channel) {
    const ChannelRef ref{node.channel, node.mark};
    if (std::find(refs->begin(), refs->end(), ref) == refs->end()) refs->push_back(ref);
  }
  for (const FormulaNode& arg : node.args) Collect(arg, refs);
}

std::wstring RoundTripText(double value) {
  char text[64];
  // Shortest text that reads back to the same double, in the classic format.
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::wstring(text, result.ptr);
}

class ChainBuilder {
 public:
  ChainBuilder(const EnumClassCatalog& catalog, IUnknown* dataContext)
      : mCatalog(catalog), mDataContext(dataContext) {}

  FormulaChain Build(const FormulaNode& root) {
    mChain.refs = CollectChannelRefs(root);
    AddCall(root);
    return std::move(mChain);
  }

 private:
  size_t AddCall(const FormulaNode& call);
  ChainSource SourceOf(const EnumClassEntry& entry, const FormulaNode& arg, int32_t index);

  const EnumClassEntry& Lookup(const FormulaNode& call) const {
    const EnumClassEntry* entry = mCatalog.Find(call.name);
    if (!entry) throw FormulaError(call.position, "unknown calculation " + QuoteInput(call.name));
    return *entry;
  }

  const EnumClassCatalog& mCatalog;
  IUnknown* mDataContext;
  FormulaChain mChain;
};

ChainSource ChainBuilder::SourceOf(const EnumClassEntry& entry, const FormulaNode& arg,
                                   int32_t index) {
  const std::string where = "argument " + std::to_string(index + 1) + " of '" + Utf8FromWide(entry.name) + "'";
  const bool takesChannel = entry.function->CheckParamKind(index, kCalcParamKindChannel) == S_OK;
  const bool takesEvents = entry.function->CheckParamKind(index, kCalcParamKindValue) == S_OK;
  switch (arg.kind) {
    case FormulaNode::Kind::Channel: {
      // A "v" channel is a calculation: its values may be samples or events.
      const bool fits = arg.mark == L'v' ? (takesChannel || takesEvents) : takesChannel;
      if (!fits) throw FormulaError(arg.position, where + " must be a calculation, not a channel");
      const ChannelRef ref{arg.channel, arg.mark};
      const size_t refIndex = std::find(mChain.refs.begin(), mChain.refs.end(), ref) - mChain.refs.begin();
      return {true, refIndex};
    }
    case FormulaNode::Kind::Call:
      if (!takesEvents) throw FormulaError(arg.position, where + " must be a channel");
      return {false, AddCall(arg)};
    case FormulaNode::Kind::Omitted:
      throw FormulaError(arg.position, where + " is missing");
    default:
      throw FormulaError(arg.position, where + " must be a channel or a calculation, not a number");
  }
}

size_t ChainBuilder::AddCall(const FormulaNode& call) {
  const EnumClassEntry& entry = Lookup(call);
  if (call.args.size() > static_cast<size_t>(entry.paramCount))
    throw FormulaError(call.args[entry.paramCount].position,
                       "'" + Utf8FromWide(entry.name) + "' takes at most " + std::to_string(entry.paramCount) +
                           " arguments");
  if (call.args.size() < static_cast<size_t>(entry.sourceCount))
    throw FormulaError(call.position, "'" + Utf8FromWide(entry.name) + "' needs " +
                                          std::to_string(entry.sourceCount) + " source argument(s)");
  const size_t index = mChain.nodes.size();
  mChain.nodes.emplace_back();
  std::vector<ChainSource> sources;
  for (int32_t i = 0; i < entry.sourceCount; ++i) sources.push_back(SourceOf(entry, call.args[i], i));
  const std::wstring settings = BuildSettingsText(entry, call);

  ChainNode& node = mChain.nodes[index];
  node.name = entry.name;
  node.position = call.position;
  node.sources = std::move(sources);
  node.settings = settings;
  HRESULT hr = entry.classObject->CreateEnum(mDataContext, node.calc.Out());
  if (FAILED(hr) || !node.calc)
    throw FormulaError(call.position, "'" + Utf8FromWide(entry.name) + "' could not be created");
  uint32_t kind = 0;
  hr = node.calc->LoadSettings(MakeHostString(settings).Get(), &kind);
  if (hr != S_OK)
    throw FormulaError(call.position, "'" + Utf8FromWide(entry.name) + "' did not take its settings");
  return index;
}

// Refuses a number outside the bounds the class reports for parameter index (a class that
// reports none is not checked).
void CheckBounds(const EnumClassEntry& entry, int32_t index, const FormulaNode& arg) {
  double high = 0.0, low = 0.0;
  uint32_t kind = 0;
  HostPtr<QOR::IQORString> name;
  if (entry.function->GetParamInfo(index, &high, &low, &kind, name.Out()) != S_OK) return;
  if (arg.value >= low && arg.value <= high) return;
  throw FormulaError(arg.position, "argument " + std::to_string(index + 1) + " of '" + Utf8FromWide(entry.name) +
                                       "' (" + Utf8FromWide(StringText(name.Get())) + ") is " +
                                       Utf8FromWide(RoundTripText(arg.value)) + ", outside its bounds " +
                                       Utf8FromWide(RoundTripText(low)) + " to " + Utf8FromWide(RoundTripText(high)));
}

}  // namespace

std::vector<ChannelRef> CollectChannelRefs(const FormulaNode& root) {
  std::vector<ChannelRef> refs;
  Collect(root, &refs);
  return refs;
}

std::wstring BuildSettingsText(const EnumClassEntry& entry, const FormulaNode& call) {
  std::wstring text;
  if (entry.leadingInteger) text = L"0";
  for (int32_t i = entry.sourceCount; i < entry.paramCount; ++i) {
    if (static_cast<size_t>(i) < call.args.size()) {
      const FormulaNode& arg = call.args[i];
      if (arg.kind != FormulaNode::Kind::Number && arg.kind != FormulaNode::Kind::Omitted)
        throw FormulaError(arg.position, "argument " + std::to_string(i + 1) + " of '" +
                                             Utf8FromWide(entry.name) + "' must be a number");
    }
    const bool given = static_cast<size_t>(i) < call.args.size() &&
                       call.args[i].kind == FormulaNode::Kind::Number;
    if (given) CheckBounds(entry, i, call.args[i]);
    if (!text.empty()) text += L' ';
    text += given ? RoundTripText(call.args[i].value) : L"-1";
  }
  return text;
}

FormulaChain BuildFormulaChain(const FormulaNode& root, const EnumClassCatalog& catalog,
                               IUnknown* dataContext) {
  return ChainBuilder(catalog, dataContext).Build(root);
}

}  // namespace host
