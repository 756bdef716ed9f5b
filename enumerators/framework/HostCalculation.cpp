// Attaching a formula calculation to a channel through the host's calculation classes.
#include "enumerators/framework/HostCalculation.h"

#include "hostapi/DataDocument.h"
#include "hostapi/HostCalculation.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/TypeIds.h"

namespace ExtLib {
namespace {

// The host's formula settings class: number 1 of its calculation classes.
using FormulaSettingsClass = TypeIdClass<&HostCalcClassGUID, 1>;

// Lets the channel's present calculation, if any, drop what it computed.
void ResetChannelCalculation(IHostDataDocument* document, int32_t channel, uint32_t flags) {
  QOR::ComPtr<IHostChannelObjects> channels;
  if (FAILED(document->QueryInterface(IID_IHostChannelObjects, channels.OutVoid())) || !channels)
    return;
  QOR::ComPtr<IUnknown> channelObject;
  if (FAILED(channels->GetChannelObject(channel, flags, channelObject.Out())) || !channelObject)
    return;
  QOR::ComPtr<IHostChannelCalc> calc;
  if (SUCCEEDED(channelObject->QueryInterface(IID_IHostChannelCalc, calc.OutVoid())) && calc)
    calc->Reset();  // its answer is not looked at
}

}  // namespace

bool CreateHostCalculation(IClassRegistry* registry, IUnknown* hostObject, uint32_t calcClassId,
                           const QOR::String& first, const QOR::String& second, int32_t channel,
                           uint32_t channelFlags) {
  if (!registry || !hostObject) return false;
  QOR::ComPtr<IPersistObject> persist;
  if (FAILED(registry->CreateInstance(FormulaSettingsClass::Id(), nullptr, IID_IPersistObject,
                                      persist.OutVoid())) ||
      !persist) {
    return false;
  }
  QOR::ComPtr<IFormulaCalcSettings> settings;
  if (FAILED(persist->QueryInterface(IID_IFormulaCalcSettings, settings.OutVoid())) || !settings)
    return false;
  settings->SetFormulas(first.GetInterface(), second.GetInterface(), VARIANT_FALSE);  // not looked at

  QOR::ComPtr<IHostDataDocument> document;
  if (FAILED(hostObject->QueryInterface(IID_IHostDataDocument, document.OutVoid())) || !document)
    return false;
  ResetChannelCalculation(document.Get(), channel, channelFlags);

  QOR::ComPtr<ICalculationClass> calcClass;
  if (FAILED(registry->GetClassObject(calcClassId, IID_ICalculationClass, calcClass.OutVoid())) ||
      !calcClass) {
    return false;
  }
  QOR::ComPtr<IHostChannelCalc> calculation;
  if (FAILED(calcClass->CreateCalculation(channel, channelFlags, document.Get(),
                                          calculation.Out())) ||
      !calculation) {
    return false;
  }
  return calculation->ApplySettings(persist.Get(), VARIANT_TRUE) == S_OK;
}

bool CreateHostCalculation(IUnknown* hostObject, uint32_t calcClassId, const QOR::String& first,
                           const QOR::String& second, int32_t channel, uint32_t channelFlags) {
  return CreateHostCalculation(ObjectFactoryAccessor::Get(), hostObject, calcClassId, first,
                               second, channel, channelFlags);
}

}  // namespace ExtLib
