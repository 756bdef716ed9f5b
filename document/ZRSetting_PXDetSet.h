// ZR::Doc::ZRSetting_PXDetSet: a channel's Periodix detection settings, a host object kept as
// a setting.
#pragma once

#include "document/ZRSetting.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostclient/ComPtr.h"

#include <unknwn.h>

namespace ZR::Doc {

// Without a host object (a store copied or read without a host) the setting keeps the text it
// was given as pending text, which the object loads once it is attached.
class ZRSetting_PXDetSet final : public ZRSetting {
 public:
  ZRSetting_PXDetSet(SettingId id, int32_t page, int32_t typeMask) noexcept
      : ZRSetting(id, kSettingDetectionSet, page, typeMask) {}

  // False without an object, else the object's own answer.
  bool IsValid() const override;
  // The object's text, or the pending text without one.
  QOR::String ToText(bool classic) const override;
  void FromText(const QOR::String& text, bool classic) override;
  // FromText that answers whether the object read the text (a refused text leaves its settings
  // as they were, and the host's words why, when it gave some, as GetRefusal); without an object
  // the text is kept as pending text and taken.
  bool LoadText(const QOR::String& text);
  void ResetToDefault() override;
  // Drops its own object, then takes a clone of the other setting's object; false (copy
  // through text) when the other holds none or cannot clone it.
  bool CopyFrom(const ZRSetting& other) override;

  // When there is no object yet and a host data document is given: has the data file's
  // Periodix service make one, which loads the pending text (then emptied) when there is one.
  void AttachDetectionObject(IUnknown* hostDataDocument);
  // Tells the object (when there is one) the channel its detector reads.
  void SetChannel(int channel);

  IPXDetectionSettings* GetObject() const noexcept { return mObject.Get(); }
  const QOR::String& GetPendingText() const noexcept { return mPending; }
  // What the host said of the text the last LoadText refused; empty when it said nothing.
  const QOR::String& GetRefusal() const noexcept { return mRefusal; }

 private:
  ComPtr<IPXDetectionSettings> mObject;
  QOR::String mPending;
  QOR::String mRefusal;
};

}  // namespace ZR::Doc
