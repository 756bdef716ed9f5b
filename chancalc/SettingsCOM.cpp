// ZR::ChanCalc::SettingsCOM: loading and saving the settings text through the host's text store.
#include "chancalc/SettingsCOM.h"

#include "base/String.h"
#include "chancalc/ChanCalcIds.h"
#include "hostapi/TextStore.h"
#include "hostclient/ComBoundary.h"

#include <new>

namespace ZR::ChanCalc {

SettingsCOM::SettingsCOM(const SettingsCOM* source, int32_t outputChannel) noexcept {
  if (source) mValues = source->mValues;
  mValues.outputChannel = outputChannel;
}

SettingsCOM* SettingsCOM::Create(const SettingsCOM* source, int32_t outputChannel) {
  return new SettingsCOM(source, outputChannel);
}

// Identity by the table pointer: a foreign object cannot be asked for its type safely, and the
// interface answers only IUnknown and IPersistObject.
SettingsCOM* SettingsCOM::FromInterface(IPersistObject* object) noexcept {
  static const SettingsCOM probe(nullptr, 0);
  if (!object) return nullptr;
  const void* const table = *reinterpret_cast<void* const*>(static_cast<const IPersistObject*>(&probe));
  if (*reinterpret_cast<void* const*>(object) != table) return nullptr;
  return static_cast<SettingsCOM*>(object);
}

HRESULT STDMETHODCALLTYPE SettingsCOM::Load(IHostTextStore* store) noexcept {
  if (!store) return E_POINTER;
  return QOR::ComTry([&]() -> HRESULT {
    QOR::String text;
    {
      QOR::StringOutParam received(text);
      store->ReadText(received);  // nothing held reads as an empty text, which fails below
    }
    return ParseSettingsText(text.GetText(), mValues) ? S_OK : E_FAIL;
  });
}

HRESULT STDMETHODCALLTYPE SettingsCOM::Save(IHostTextStore* store) noexcept {
  if (!store) return E_POINTER;
  return QOR::ComTry([&] {
    const QOR::String text(FormatSettingsText(mValues).c_str());
    store->WriteText(text.GetInterface());  // answer not examined
  });
}

HRESULT STDMETHODCALLTYPE SettingsCOM::GetTypeId(uint32_t* typeId) noexcept {
  if (!typeId) return E_POINTER;
  *typeId = SettingsTypeId::Id();
  return S_OK;
}

}  // namespace ZR::ChanCalc
