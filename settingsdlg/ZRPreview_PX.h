// ZR::ZRPreview_PX: the detection preview of the unstimulated detector pages. The host computes
// the detector's trace into the source marker and the per-cycle detection into the event
// marker; a trace the detector derives is drawn in black on the second axis.
#pragma once

#include "settingsdlg/ZRPreviewBase.h"

struct IPXPreviewTrace;

namespace ZR {

// The units of a derived trace: those of the detector's own axis.
class PPPNUN final : public ScrivoDraw::UnitMapper {
 public:
  PPPNUN(int32_t channel, IPXPreviewTrace* detection) noexcept
      : UnitMapper(channel, 0x40000000u), mDetection(detection) {}
  // "?" without a detection-settings object.
  QOR::String Map(const QOR::String& units) const override;

 private:
  IPXPreviewTrace* mDetection;  // not owned
};

class ZRPreview_PX final : public ZRPreviewBase {
 public:
  ZRPreview_PX(IHostDocument* hostDocument, IUnknown* dataFile, OWL::TWindow* parent, Doc::SettingsStore* settings)
      : ZRPreviewBase(hostDocument, dataFile, parent, settings) {}
  ~ZRPreview_PX() override = default;

  void Update(Doc::SettingsStore* store);
  // Whether the key changed (and was stored).
  bool BuildExpression(Doc::SettingsStore* store);

  // A given range as it is; which 1: axis 1's range as the detector's derived trace spans it.
  // There is no default for which 0: the axis is left as it is.
  bool GetDefaultAxisRange(ExtLib::AxisRange* out, int32_t which, const ExtLib::AxisRange* given,
                           Doc::SettingsStore* store) override;
  void SetAxisUnits(bool axis1, bool axis2, Doc::SettingsStore* store) override;
  void SetUpHostCalculations(IUnknown* target, Doc::SettingsStore* store) override;

  static constexpr COLORREF kDerivedTraceColour = RGB(0, 0, 0);

 private:
  // The store's detection-settings object's preview operations, or null.
  QOR::ComPtr<IPXPreviewTrace> Detection(Doc::SettingsStore* store) const;
  bool HasDerivedTrace(IPXPreviewTrace* detection) const;
};

}  // namespace ZR
