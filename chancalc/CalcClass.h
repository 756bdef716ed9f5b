// The class objects of a module calculation: CalcClassBase names and creates calculations,
// CalcSettingClassBase creates and loads their settings; CalcClass<T> binds both to T.
#pragma once

#include "base/String.h"
#include "hostapi/ChannelCalc.h"
#include "hostclient/ClassObjectLinks.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/InterfaceMap.h"

#include <cstdint>

// One static record per calculation class; the type ids are asked of the host on first use.
struct CalcClassInfo {
  const wchar_t* name;
  const wchar_t* description;
  uint32_t flags;
  const GUID* classGuid;
  uint16_t calculationNumber;
  uint16_t settingsNumber;
  uint32_t calculationTypeId;
  uint32_t settingsTypeId;
};

class CalcClassBase : public ICalculationClass, public QOR::LumoClassObject, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(CalcClassBase)
  QOR_INTERFACE_ENTRY(ICalculationClass, IID_ICalculationClass)
  QOR_INTERFACE_ENTRY(ILumoClassObject, IID_ILumoClassObject)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_UNCOUNTED()

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override;
  ILumoClassObject* GetClassObjectInterface() noexcept override { return this; }

 protected:
  explicit CalcClassBase(CalcClassInfo& info) noexcept;
  ~CalcClassBase() override = default;

  CalcClassInfo& Info() const noexcept { return mInfo; }

 private:
  CalcClassInfo& mInfo;
  QOR::String mName;
  QOR::String mDescription;
};

class CalcSettingClassBase : public IPersistClassObject, public QOR::LumoClassObject, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(CalcSettingClassBase)
  QOR_INTERFACE_ENTRY(IPersistClassObject, IID_IPersistClassObject)
  QOR_INTERFACE_ENTRY(IPersistClassObject, kGenericClassObjectIid)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override;
  ILumoClassObject* GetClassObjectInterface() noexcept override { return this; }

 protected:
  explicit CalcSettingClassBase(CalcClassInfo& info) noexcept;
  ~CalcSettingClassBase() override = default;

 private:
  CalcClassInfo& mInfo;
  QOR::String mName;  // the calculation's name followed by "Settings"
};

namespace ZR::ChanCalc {

// The module's calculation class object (a static object) and its settings class object.
CalcClassBase& CalculationClass() noexcept;
IPersistClassObject* SettingsClass() noexcept;

}  // namespace ZR::ChanCalc
