// CalcClass<ZR::ChanCalc::Calc>: the module's calculation class object and its settings class,
// both linked into the module's class-object list while the module's static objects are built.
#include "chancalc/Calc.h"
#include "chancalc/CalcClass.h"
#include "chancalc/ChanCalcIds.h"
#include "chancalc/RunSettingsDialog.h"
#include "chancalc/SettingsCOM.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"

#include <new>

namespace {

template <class T>
class CalcClass;

template <>
class CalcClass<ZR::ChanCalc::Calc> final : public CalcClassBase {
 public:
  class SettingsClass final : public CalcSettingClassBase {
   public:
    explicit SettingsClass(CalcClassInfo& info) noexcept : CalcSettingClassBase(info) {}

    // A new default settings object; the outer unknown is not used. An object the query
    // refuses is freed and the query's answer returned.
    HRESULT STDMETHODCALLTYPE CreateObject(IUnknown*, REFIID iid, void** object) noexcept override {
      if (!object) return E_POINTER;
      *object = nullptr;
      return QOR::ComTry([&] {
        ComPtr<ZR::ChanCalc::SettingsCOM> made(ZR::ChanCalc::SettingsCOM::Create(nullptr, 0));
        return made->QueryInterface(iid, object);
      });
    }
    // The object is handed out also when the load failed; the load's answer is returned.
    HRESULT STDMETHODCALLTYPE CreateAndLoad(IUnknown*, IHostTextStore* store, IPersistObject** object) noexcept override {
      if (!object) return E_POINTER;
      *object = nullptr;
      return QOR::ComTry([&] {
        ZR::ChanCalc::SettingsCOM* const made = ZR::ChanCalc::SettingsCOM::Create(nullptr, 0);
        made->AddRef();
        *object = made;
        return made->Load(store);
      });
    }

   private:
    ~SettingsClass() override = default;
  };

  explicit CalcClass(CalcClassInfo& info) noexcept : CalcClassBase(info) {
    mSettingsClass = new (std::nothrow) SettingsClass(info);
    if (mSettingsClass) mSettingsClass->AddRef();
  }
  ~CalcClass() override {
    if (mSettingsClass) mSettingsClass->Release();
  }

  IPersistClassObject* Settings() const noexcept { return mSettingsClass; }

  HRESULT STDMETHODCALLTYPE RunSettingsDialog(HWND owner, uint32_t, IUnknown* hostDocument, IUnknown* rangeSource,
                                              int32_t channel, uint32_t furtherValue, IPersistObject* current,
                                              IPersistObject** edited) noexcept override {
    return ZR::ChanCalc::RunSettingsDialog(owner, hostDocument, rangeSource, current, edited, channel, furtherValue);
  }

  // The host holds the one reference of the answer; a calculation the query refuses is freed.
  HRESULT STDMETHODCALLTYPE CreateCalculation(int32_t channel, uint32_t furtherValue, IHostDataDocument* context,
                                              IHostChannelCalc** calculation) noexcept override {
    if (!calculation) return E_POINTER;
    *calculation = nullptr;
    if (!context) return E_FAIL;
    return QOR::ComTry([&] {
      ComPtr<ZR::ChanCalc::Calc> made;
      made.Attach(ZR::ChanCalc::Calc::Create(context, this, channel, furtherValue));
      return made->QueryInterface(IID_IHostChannelCalc, reinterpret_cast<void**>(calculation));
    });
  }

 private:
  SettingsClass* mSettingsClass = nullptr;
};

CalcClassInfo gChanCalcInfo{L"Ondara", L"Analysis of Peaks", 0, &ZRChanCalcGUID,
                            ZR::ChanCalc::kCalculationNumber, ZR::ChanCalc::kSettingsNumber, 0, 0};
CalcClass<ZR::ChanCalc::Calc> gChanCalcClass(gChanCalcInfo);

}  // namespace

namespace ZR::ChanCalc {

CalcClassBase& CalculationClass() noexcept { return gChanCalcClass; }
IPersistClassObject* SettingsClass() noexcept { return gChanCalcClass.Settings(); }

}  // namespace ZR::ChanCalc
