// The class object's answers: name, category, parameters and kinds from the registry table.
#include "enumerators/framework/CalcEnumClassBase2.h"

#include "base/String.h"
#include "enumerators/framework/ClassTypeIndex.h"
#include "hostclient/ComBoundary.h"

#include <oleauto.h>

namespace CalcEnums {
namespace {

// Hands out text as a new string reference.
HRESULT HandOutText(const wchar_t* text, QOR::IQORString** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  *out = QOR::String(text).AddRefInterface();
  return S_OK;
}

}  // namespace

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::QueryInterface(REFIID iid, void** out) noexcept {
  return QOR::QueryInterfaceByMap(this, GetInterfaceMap(), iid, out);
}

uint32_t CalcEnumClassBase2::TypeId() {
  if (mRow->cachedTypeId == 0) {
    const uint16_t index = RegisteredIndexOf(*mRow->classId);
    mRow->cachedTypeId = (static_cast<uint32_t>(index) << 16) | mRow->typeIdLow;
  }
  return mRow->cachedTypeId;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetTypeId(uint32_t* typeId) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!typeId) return E_POINTER;
    *typeId = TypeId();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetCategory(const GUID** category) noexcept {
  if (!category) return E_POINTER;
  *category = &CATID_CalcEnum;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetNameBstr(BSTR* name) noexcept {
  if (!name) return E_POINTER;
  if (*name) SysFreeString(*name);
  *name = nullptr;
  if (mRow->name && mRow->name[0] != L'\0') {
    *name = SysAllocString(mRow->name);
    if (!*name) return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::IsCategory(const GUID* category) noexcept {
  if (category == &CATID_CalcEnum) return S_OK;
  if (category && IsEqualGUID(*category, CATID_CalcEnum)) return S_OK;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetName(QOR::IQORString** name) noexcept {
  return ComTry([&] { return HandOutText(mRow->name, name); });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetDescription(
    QOR::IQORString** description) noexcept {
  return ComTry([&] { return HandOutText(mRow->description, description); });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = mRow->flags;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::Reserved10(void** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetAliasCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = mTable->aliasCount;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetAlias(int32_t index,
                                                       QOR::IQORString** alias) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!alias) return E_POINTER;
    *alias = nullptr;
    // Past the table lies no alias; answering would read beyond it.
    if (index < 0 || index >= mTable->aliasCount) return E_INVALIDARG;
    return HandOutText(mTable->aliases[index], alias);
  });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetResultInfo(QOR::IQORString** name,
                                                            uint32_t* typeId, int32_t* paramCount,
                                                            int32_t* sourceCount, uint32_t* kindC,
                                                            uint32_t* kindD) noexcept {
  return ComTry([&]() -> HRESULT {
    if (!name || !typeId || !paramCount || !sourceCount || !kindC || !kindD) return E_POINTER;
    *name = nullptr;
    *typeId = TypeId();
    *paramCount = mTable->paramCount;
    *sourceCount = mTable->sourceCount;
    *kindC = mTable->resultKindC;
    *kindD = kResultKindD;
    return HandOutText(mRow->name, name);
  });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::GetParamInfo(int32_t index, double* high,
                                                           double* low, uint32_t* kind,
                                                           QOR::IQORString** name) noexcept {
  return ComTry([&]() -> HRESULT {
    if (name) *name = nullptr;
    if (index < 0 || index >= mTable->paramCount) return E_INVALIDARG;
    if (high) *high = mTable->bounds[index].high;
    if (low) *low = mTable->bounds[index].low;
    if (kind) *kind = ParamKind(*mTable, index);
    if (name) return HandOutText(mTable->paramNames[index], name);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE CalcEnumClassBase2::CheckParamKind(int32_t index,
                                                             uint32_t kind) noexcept {
  if (index < 0 || index >= mTable->sourceCount) return E_INVALIDARG;
  return (kind & ParamKind(*mTable, index)) != 0 ? S_OK : S_FALSE;
}

}  // namespace CalcEnums
