// The enumerator classes a formula may call, found by name or alias in any letter case.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace host {

// What the formula engine needs of one class: its creation and its parameter list.
struct EnumClassEntry {
  HostPtr<ICalcEnumClass2> classObject;
  HostPtr<ICalcNumericParamsFuncClass> function;
  std::wstring name;
  int32_t paramCount = 0;
  int32_t sourceCount = 0;
  bool leadingInteger = false;  // the settings text opens with an integer
};

// Supplies the class objects registered now (any that are not enumerator classes are skipped).
using ClassListSource = std::function<std::vector<HostPtr<IUnknown>>()>;

// Every class object of the framework's class registry, in registration order.
ClassListSource RegistryClassList(IClassRegistry* registry);

class EnumClassCatalog {
 public:
  // Asks every class for its name, aliases and parameters.
  explicit EnumClassCatalog(const std::vector<HostPtr<IUnknown>>& classes);

  // The class of a name or alias, compared without regard to case; null when unknown.
  const EnumClassEntry* Find(const std::wstring& name) const;

 private:
  std::vector<EnumClassEntry> mEntries;
  std::map<std::wstring, size_t> mByName;  // lower-case name or alias -> entry
};

std::wstring LowerCase(const std::wstring& text);

}  // namespace host
