// The enumerator classes a formula may call, found by name or alias in any letter case.
#include "host/formula/EnumClassCatalog.h"

#include "host/common/HostString.h"

#include <cwctype>

namespace host {

std::wstring LowerCase(const std::wstring& text) {
  std::wstring lower;
  lower.reserve(text.size());
  for (const wchar_t c : text) lower.push_back(static_cast<wchar_t>(std::towlower(c)));
  return lower;
}

ClassListSource RegistryClassList(IClassRegistry* registry) {
  return [registry]() {
    std::vector<HostPtr<IUnknown>> classes;
    uint32_t count = 0;
    if (!registry || FAILED(registry->GetClassCount(&count))) return classes;
    for (uint32_t i = 0; i < count; ++i) {
      HostPtr<ILumoClassObject> object;
      if (SUCCEEDED(registry->GetClassAt(i, object.Out())) && object)
        classes.push_back(object.As<IUnknown>(IID_IUnknown));
    }
    return classes;
  };
}

namespace {

constexpr uint32_t kLeadingIntegerKind = 0xA0000000u;

// Fills an entry from the class's function description; false when it is not a usable
// enumerator class.
bool Describe(const HostPtr<IUnknown>& object, EnumClassEntry* entry,
              std::vector<std::wstring>* names) {
  entry->classObject = object.As<ICalcEnumClass2>(IID_ICalcEnumClass2);
  entry->function = object.As<ICalcNumericParamsFuncClass>(IID_ICalcNumericParamsFuncClass);
  if (!entry->classObject || !entry->function) return false;
  HostPtr<QOR::IQORString> name;
  uint32_t typeId = 0, kindC = 0, kindD = 0;
  if (FAILED(entry->function->GetResultInfo(name.Out(), &typeId, &entry->paramCount,
                                            &entry->sourceCount, &kindC, &kindD)))
    return false;
  if (entry->paramCount < 0 || entry->sourceCount < 0 || entry->sourceCount > entry->paramCount)
    return false;
  entry->name = StringText(name.Get());
  entry->leadingInteger = kindC == kLeadingIntegerKind;
  names->push_back(entry->name);
  int32_t aliases = 0;
  if (FAILED(entry->function->GetAliasCount(&aliases))) aliases = 0;
  for (int32_t i = 0; i < aliases; ++i) {
    HostPtr<QOR::IQORString> alias;
    if (SUCCEEDED(entry->function->GetAlias(i, alias.Out())) && alias)
      names->push_back(StringText(alias.Get()));
  }
  return !entry->name.empty();
}

}  // namespace

EnumClassCatalog::EnumClassCatalog(const std::vector<HostPtr<IUnknown>>& classes) {
  for (const HostPtr<IUnknown>& object : classes) {
    EnumClassEntry entry;
    std::vector<std::wstring> names;
    if (!Describe(object, &entry, &names)) continue;
    mEntries.push_back(std::move(entry));
    // A later registration of a name wins, as it does in the class registry.
    for (const std::wstring& n : names)
      if (!n.empty()) mByName[LowerCase(n)] = mEntries.size() - 1;
  }
}

const EnumClassEntry* EnumClassCatalog::Find(const std::wstring& name) const {
  const auto it = mByName.find(LowerCase(name));
  return it == mByName.end() ? nullptr : &mEntries[it->second];
}

}  // namespace host
