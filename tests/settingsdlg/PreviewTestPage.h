// What the detection preview tests share: a popup window standing in for the page, and the
// document's two marker objects named by settings 2023 and 2024.
#pragma once

#include "document/SettingsStore.h"
#include "host/data/DataDocument.h"
#include "platform/owl/TWindow.h"

#include <gtest/gtest.h>

namespace previewtest {

class Page : public OWL::TWindow {
 public:
  Page() : TWindow(nullptr, L"page") {
    Attr.Style = WS_POPUP;
    Attr.W = 500;
    Attr.H = 260;
  }
};

// Makes the two objects and names them in the store: made[0] the source, made[1] the events.
inline void MakeMarkerObjects(host::DataDocument& document, ZR::Doc::SettingsStore& store, int32_t made[2]) {
  for (int i = 0; i < 2; ++i) {
    DataObjectId object{kNewDataObject, kDataObjectRequestKind};
    host::HostPtr<QOR::IQORString> name;
    ASSERT_EQ(S_OK, document.Objects().NewObject(0, 0, 0, name.Out(), &object));
    made[i] = object.id;
  }
  store.SetLongValue(ZR::Doc::kSettingSourceObject, made[0]);
  store.SetLongValue(ZR::Doc::kSettingDetectorObject, made[1]);
}

}  // namespace previewtest
