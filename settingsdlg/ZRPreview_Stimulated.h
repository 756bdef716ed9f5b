// ZR::ZRPreview_Stimulated: the detection preview of the stimulated detector pages. The host
// computes the channel into the source marker and the evoked-response detection into the event
// marker; the preview draws the grid, the channel's trace and the events found.
#pragma once

#include "settingsdlg/ZRPreviewBase.h"

namespace ZR {

class ZRPreview_Stimulated final : public ZRPreviewBase {
 public:
  ZRPreview_Stimulated(IHostDocument* hostDocument, IUnknown* dataFile, OWL::TWindow* parent,
                       Doc::SettingsStore* settings)
      : ZRPreviewBase(hostDocument, dataFile, parent, settings) {}
  ~ZRPreview_Stimulated() override = default;

  // Rebuilds the drawers and the host's calculations when what the settings describe changed
  // since the last call; otherwise leaves everything as it is.
  void Update(Doc::SettingsStore* store);

  void SetAxisUnits(bool axis1, bool axis2, Doc::SettingsStore* store) override;
  void SetUpHostCalculations(IUnknown* target, Doc::SettingsStore* store) override;
};

}  // namespace ZR
