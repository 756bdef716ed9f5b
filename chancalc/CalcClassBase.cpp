// CalcClassBase and CalcSettingClassBase: names, categories and type ids of calculation classes.
#include "chancalc/CalcClass.h"

#include "hostclient/BstrSlot.h"
#include "hostclient/TypeIds.h"

namespace {

// The type id (class index of the record's GUID << 16) | number, asked once and kept.
uint32_t CachedTypeId(const CalcClassInfo& info, uint16_t number, uint32_t& cache) noexcept {
  if (cache == 0) cache = QOR::MakeTypeId(QOR::FetchClassIndex(*info.classGuid), number);
  return cache;
}

bool SameCategory(const GUID* asked, const GUID& own) noexcept {
  return asked && (asked == &own || IsEqualGUID(*asked, own));
}

HRESULT HandOut(const QOR::String& text, QOR::IQORString** out) noexcept {
  if (!out) return E_POINTER;
  *out = text.AddRefInterface();
  return S_OK;
}

}  // namespace

// A failed string leaves the name empty: a static object must not throw while the module loads.
CalcClassBase::CalcClassBase(CalcClassInfo& info) noexcept : mInfo(info) {
  try {
    mName = info.name;
    mDescription = info.description;
  } catch (...) {
  }
}

HRESULT STDMETHODCALLTYPE CalcClassBase::GetTypeId(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = CachedTypeId(mInfo, mInfo.calculationNumber, mInfo.calculationTypeId);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcClassBase::GetCategory(const GUID** category) noexcept {
  if (!category) return E_POINTER;
  *category = &ChanCalcCategoryGUID;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcClassBase::GetNameBstr(BSTR* name) noexcept {
  if (!name) return E_POINTER;
  QOR::StoreBstr(name, mName.GetText());  // an empty name leaves the slot null
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcClassBase::IsCategory(const GUID* category) noexcept {
  return SameCategory(category, ChanCalcCategoryGUID) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CalcClassBase::GetName(QOR::IQORString** name) noexcept { return HandOut(mName, name); }

HRESULT STDMETHODCALLTYPE CalcClassBase::GetDescription(QOR::IQORString** description) noexcept {
  return HandOut(mDescription, description);
}

HRESULT STDMETHODCALLTYPE CalcClassBase::GetFlags(uint32_t* flags) noexcept {
  if (!flags) return E_POINTER;
  *flags = mInfo.flags;
  return S_OK;
}

CalcSettingClassBase::CalcSettingClassBase(CalcClassInfo& info) noexcept : mInfo(info) {
  try {
    mName = info.name;
    mName.Append(L"Settings");
  } catch (...) {
  }
}

HRESULT STDMETHODCALLTYPE CalcSettingClassBase::GetTypeId(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = CachedTypeId(mInfo, mInfo.settingsNumber, mInfo.settingsTypeId);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcSettingClassBase::GetCategory(const GUID** category) noexcept {
  if (!category) return E_POINTER;
  *category = &ChanCalcSettingsCategoryGUID;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcSettingClassBase::GetNameBstr(BSTR* name) noexcept {
  if (!name) return E_POINTER;
  QOR::StoreBstr(name, mName.GetText());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CalcSettingClassBase::IsCategory(const GUID* category) noexcept {
  return SameCategory(category, ChanCalcSettingsCategoryGUID) ? S_OK : S_FALSE;
}
