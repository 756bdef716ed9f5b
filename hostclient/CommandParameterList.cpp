// The parameter-list grammar of named commands.
#include "hostclient/CommandParameterList.h"

#include <cwctype>

namespace {

const std::wstring kGroupOpen = L"{{";
const std::wstring kGroupClose = L"}}";

// True when the comma at pos lies inside a group: the last "{{" before it is not closed.
bool InsideGroup(const std::wstring& list, size_t pos) {
  const size_t open = list.rfind(kGroupOpen, pos);
  if (open == std::wstring::npos) return false;
  const size_t close = list.find(kGroupClose, open + kGroupOpen.size());
  return close == std::wstring::npos || close > pos;
}

// A group field's value: the text between the markers, inner pieces joined by ", ".
std::wstring GroupValue(const std::wstring& field) {
  const std::wstring inner =
      field.substr(kGroupOpen.size(), field.size() - kGroupOpen.size() - kGroupClose.size());
  std::wstring value;
  size_t start = 0;
  for (;;) {
    const size_t comma = inner.find(L',', start);
    value += inner.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    if (comma == std::wstring::npos) break;
    value += L", ";
    start = comma + 1;
  }
  return value;
}

bool IsGroup(const std::wstring& field) {
  return field.size() >= kGroupOpen.size() + kGroupClose.size() &&
         field.compare(0, kGroupOpen.size(), kGroupOpen) == 0 &&
         field.compare(field.size() - kGroupClose.size(), kGroupClose.size(), kGroupClose) == 0;
}

void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (size_t pos = text.find(from); pos != std::wstring::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
}

}  // namespace

std::vector<std::wstring> SplitParameterFields(const std::wstring& list) {
  std::vector<std::wstring> fields;
  if (list.empty()) return fields;
  size_t start = 0;
  for (size_t pos = 0; pos <= list.size(); ++pos) {
    if (pos < list.size() && (list[pos] != L',' || InsideGroup(list, pos))) continue;
    std::wstring field = list.substr(start, pos - start);
    fields.push_back(IsGroup(field) ? GroupValue(field) : field);
    start = pos + 1;
  }
  return fields;
}

int32_t ParameterTypeCode(const std::wstring& typeName) {
  std::wstring lower = typeName;
  for (wchar_t& ch : lower) ch = static_cast<wchar_t>(std::towlower(ch));
  if (lower == L"string") return kParamTypeString;
  if (lower == L"safearray") return kParamTypeSafeArray;
  if (lower == L"rect") return kParamTypeRect;
  if (lower == L"bool") return kParamTypeBool;
  return kParamTypeOther;
}

std::vector<CommandParameter> ParseCommandParameters(const std::wstring& list) {
  const std::vector<std::wstring> fields = SplitParameterFields(list);
  std::vector<CommandParameter> parameters;
  if (fields.size() % 3 != 0) return parameters;
  for (size_t i = 0; i < fields.size(); i += 3) {
    CommandParameter parameter{ParameterTypeCode(fields[i]), fields[i + 1], fields[i + 2]};
    ReplaceAll(parameter.name, L";", L",");
    ReplaceAll(parameter.extra, L";;", L",");
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}
