// The parameter list of a named command: "type,name,extra" triples with "{{...}}" groups.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Parameter type codes.
inline constexpr int32_t kParamTypeOther = 0;
inline constexpr int32_t kParamTypeString = 2;
inline constexpr int32_t kParamTypeSafeArray = 3;
inline constexpr int32_t kParamTypeRect = 4;
inline constexpr int32_t kParamTypeBool = 5;

struct CommandParameter {
  int32_t typeCode;
  std::wstring name;   // ';' already turned into ','
  std::wstring extra;  // ";;" already turned into ','
};

// The fields of list: split at commas outside "{{...}}" groups; a group field keeps the text
// between its markers with its inner pieces joined by ", ". An empty list has no fields.
std::vector<std::wstring> SplitParameterFields(const std::wstring& list);
// The type code of a type name, without regard to case.
int32_t ParameterTypeCode(const std::wstring& typeName);
// Every three fields one parameter; none when the field count is not a multiple of three.
std::vector<CommandParameter> ParseCommandParameters(const std::wstring& list);
