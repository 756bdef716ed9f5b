// ZR::ChanCalc::Calc: the module's channel calculation, one measurement of the detected peaks
// held from each peak to the next as a calculated channel.
#pragma once

#include "base/UnitPrefix.h"
#include "chancalc/ChannelCalcBase.h"
#include "chancalc/SettingsCOM.h"
#include "hostapi/HostDocument.h"

#include <string>
#include <vector>

namespace ZR::Doc {
class SettingsStore;
}

namespace ZR::ChanCalc {

// The formula's sources: the analysis's host object (setting 2025) read as the formula asks;
// none without a settings store.
std::vector<CCalcEnumSourceInfo> BuildSources(const Doc::SettingsStore* store);
// The analysis formula of the store wrapped in the selector of parameterId; "99" without a store.
std::wstring BuildExpression(const Doc::SettingsStore* store, IUnknown* dataDocument, int32_t parameterId);

// The measurement a calculation of this module shows and a copy of its settings (one reference),
// read through the calculation's IChannelCalc; false for another module's or a failing one.
bool ReadShownMeasurement(IUnknown* calculation, int32_t* parameterId, IPersistObject** settings) noexcept;

class Calc final : public ChannelCalcBase {
 public:
  // A new calculation with one reference for the caller. Throws std::bad_alloc.
  static Calc* Create(IHostDataDocument* context, ICalculationClass* calculationClass, int32_t outputChannel,
                      uint32_t furtherValue);

  HRESULT STDMETHODCALLTYPE Setup(int32_t selector, uint32_t, uint32_t, IUnknown** outputSource,
                                  ChannelCalcTimeBase* timeBase, int32_t secondSelector,
                                  uint32_t* word) noexcept override;
  HRESULT STDMETHODCALLTYPE ApplySettings(IPersistObject* settings, uint32_t) noexcept override;
  HRESULT STDMETHODCALLTYPE TakeSettings(uint32_t, IPersistObject*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSettings(IPersistObject** settings) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved8(uint32_t, void** out) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTitle(uint32_t, QOR::IQORString** title) noexcept override;

 private:
  Calc(IHostDataDocument* context, ICalculationClass* calculationClass, int32_t outputChannel,
       uint32_t furtherValue) noexcept;
  ~Calc() override;

  HRESULT Apply(const SettingsValues& values);
  void TakeOutputUnit(int32_t parameterId);
  void ConsumeAutoScale(uint32_t& flagWord) noexcept;

  QOR::UnitWithPrefix mUnit;
  IHostDocument* mHostDocument = nullptr;  // not counted
  ComPtr<SettingsCOM> mSettings;
};

}  // namespace ZR::ChanCalc
