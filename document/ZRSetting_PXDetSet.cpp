// ZR::Doc::ZRSetting_PXDetSet: a channel's Periodix detection settings, a host object kept as
// a setting.
#include "document/ZRSetting_PXDetSet.h"

#include "hostclient/HostChildObject.h"
#include "hostclient/ThreadErrorText.h"

#include <oleauto.h>

namespace ZR::Doc {

bool ZRSetting_PXDetSet::IsValid() const {
  if (!mObject) return false;
  VARIANT_BOOL valid = VARIANT_FALSE;
  return SUCCEEDED(mObject->IsValid(&valid)) && valid != VARIANT_FALSE;
}

QOR::String ZRSetting_PXDetSet::ToText(bool) const {
  if (!mObject) return mPending;
  QOR::String text;
  {
    QOR::StringOutParam out(text);
    // A failed call leaves the text empty: the object has nothing to keep.
    mObject->GetText(out);
  }
  return text;
}

void ZRSetting_PXDetSet::FromText(const QOR::String& text, bool) {
  // A text the object refuses leaves its settings as they were, like an unreadable number.
  LoadText(text);
}

bool ZRSetting_PXDetSet::LoadText(const QOR::String& text) {
  mRefusal.Clear();
  if (!mObject) {
    mPending = text;
    return true;
  }
  SetErrorInfo(0, nullptr);  // words of an earlier call must not stand for this one
  if (mObject->LoadText(text.GetInterface()) == S_OK) return true;
  mRefusal = TakeThreadErrorText();
  return false;
}

void ZRSetting_PXDetSet::ResetToDefault() {
  if (mObject) mObject->ResetToDefaults();
}

bool ZRSetting_PXDetSet::CopyFrom(const ZRSetting& other) {
  mObject.Reset();
  const auto* source = dynamic_cast<const ZRSetting_PXDetSet*>(&other);
  if (source == nullptr || !source->mObject) return false;
  return SUCCEEDED(source->mObject->Clone(mObject.Out())) && mObject;
}

void ZRSetting_PXDetSet::AttachDetectionObject(IUnknown* hostDataDocument) {
  if (mObject || hostDataDocument == nullptr) return;
  ComPtr<IPXPresetService> service;
  service.Attach(QOR::GetHostChildObject(hostDataDocument));
  if (!service || FAILED(service->CreateSettings(mObject.Out())) || !mObject) return;
  if (mPending.IsEmpty()) return;
  mObject->LoadText(mPending.GetInterface());
  mPending.Clear();
}

void ZRSetting_PXDetSet::SetChannel(int channel) {
  if (mObject) mObject->SetParameter(kPXParamChannel, static_cast<double>(channel));
}

}  // namespace ZR::Doc
