// ZR::ChanCalc::SettingsCOM: a channel calculation's settings as the host persists them.
#pragma once

#include "chancalc/ChanCalcSettingsText.h"
#include "hostapi/HostCalculation.h"
#include "hostclient/SimpleUnknownImp.h"

#include <cstdint>

namespace ZR::ChanCalc {

class SettingsCOM final : public QOR::SimpleUnknownImp1<IPersistObject, IID_IPersistObject> {
 public:
  // A new object with count 0: the values of source (the defaults without one) and the output
  // channel given, never the source's. Throws std::bad_alloc.
  static SettingsCOM* Create(const SettingsCOM* source, int32_t outputChannel);
  // The SettingsCOM behind an interface, or null for any other object (the host's included).
  static SettingsCOM* FromInterface(IPersistObject* object) noexcept;

  const SettingsValues& Values() const noexcept { return mValues; }
  SettingsValues& Values() noexcept { return mValues; }

  // Reads the text the store holds; S_OK when it closed with its marker, else E_FAIL with the
  // fields before the fault taken over.
  HRESULT STDMETHODCALLTYPE Load(IHostTextStore* store) noexcept override;
  // Writes the text; the store's answer is not looked at (the settings are kept elsewhere too).
  HRESULT STDMETHODCALLTYPE Save(IHostTextStore* store) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;

 private:
  SettingsCOM(const SettingsCOM* source, int32_t outputChannel) noexcept;
  ~SettingsCOM() override = default;

  SettingsValues mValues;
};

}  // namespace ZR::ChanCalc
