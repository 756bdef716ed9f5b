// ZR::ZRPreviewBase: the detection preview of a detector page: what it shows now (its key), the
// document's two marker objects its host calculations fill, and its default axis ranges. The
// stimulated and unstimulated kinds write their own formulas and bind their own calculations.
#pragma once

#include "base/UnitPrefix.h"
#include "drawing/EventDrawer.h"
#include "drawing/IScrivoRecordDrawer.h"
#include "drawing/TraceDrawers.h"
#include "settingsdlg/PreviewPaneBase.h"

#include <string>

namespace ZR {

namespace Doc {
class SettingsStore;
}

// What the preview shows now; a preview redraws only when its key changes.
struct PreviewKey {
  bool valid = false;
  int32_t channel = 0;
  std::wstring sourceText;
  std::wstring expression;
  QOR::UnitWithPrefix units;

  bool operator==(const PreviewKey& other) const {
    return valid == other.valid && channel == other.channel && sourceText == other.sourceText &&
           expression == other.expression && units.baseUnit == other.units.baseUnit &&
           units.prefix == other.units.prefix;
  }
  bool operator!=(const PreviewKey& other) const { return !(*this == other); }
};

// The unit of the source trace is the channel's own.
class SourceMapper final : public ScrivoDraw::UnitMapper {
 public:
  explicit SourceMapper(int32_t channel) noexcept : UnitMapper(channel, 0x40000000u) {}
};

// The preview's event marks: drawn as every event drawer draws them.
class EventDrawer final : public ScrivoDraw::EventDrawer {
 public:
  using ScrivoDraw::EventDrawer::EventDrawer;

 private:
  ~EventDrawer() override = default;
};

class ZRPreviewBase : public ExtLib::PreviewPaneBase {
 public:
  // A channel pair that names no channel: what the markers stay without marker objects.
  static constexpr ScrivoDraw::ChannelPair kNoMarker{static_cast<int32_t>(0x80000000u), 0xC0000000u};

  // Makes the window over the data file's preview data; when that data reaches the host's data
  // file and its marker objects, the markers are the objects of settings 2023 (the source
  // trace) and 2024 (the events).
  ZRPreviewBase(IHostDocument* hostDocument, IUnknown* dataFile, OWL::TWindow* parent, Doc::SettingsStore* settings);

  // The preview's drawers and their kinds' order: grid, source trace, event marks, null trace.
  static constexpr ScrivoDraw::LayerPair kPreviewLayer{0x80000000u, 0xC0000000u};
  // Without a host document the source trace takes this colour.
  static constexpr COLORREF kNoDocumentTraceColour = RGB(255, 0, 128);

  // The default range of the axis (which 0: axis 1) when no range is given; an axis without a
  // default is left as it is.
  void ResetScale(int32_t which, const ExtLib::AxisRange* given) override;
  // A given range as it is; otherwise which 0 gives (1.0, -1.0) and any other which the pane's
  // current range of axis 1 in base units. False when there is no default.
  virtual bool GetDefaultAxisRange(ExtLib::AxisRange* out, int32_t which, const ExtLib::AxisRange* given,
                                   Doc::SettingsStore* store);
  virtual void SetAxisUnits(bool axis1, bool axis2, Doc::SettingsStore* store) = 0;
  virtual void SetUpHostCalculations(IUnknown* target, Doc::SettingsStore* store) = 0;

  const PreviewKey& Key() const noexcept { return key; }
  ScrivoDraw::ChannelPair SourceMarker() const noexcept { return sourceMarker; }
  ScrivoDraw::ChannelPair EventMarker() const noexcept { return eventMarker; }

 protected:
  void ReadMarkers();
  // The analysis channel's units in the record; unitsKnown says whether they could be read.
  QOR::UnitWithPrefix ReadChannelUnits(int32_t channel);
  // A key of the store's analysis channel and its units.
  PreviewKey StartKey(const Doc::SettingsStore& store);
  // Stores the finished key (made valid) and the store unless the key is the stored one; true
  // when it was stored.
  bool TakeKey(PreviewKey next, Doc::SettingsStore* store);
  // Replaces every drawer with the grid and, when the units are known, the host's calculations
  // and the channel's trace.
  void SetUpSourceTrace();
  // The event marks and the null trace on the event marker.
  void AddEventDrawers();
  // The first lane's axis (1 or 2) shows values with the prefix of that host index.
  void SetAxisPrefix(int32_t axis, int32_t prefixIndex);
  COLORREF TraceColour() const;

  PreviewKey key;
  ScrivoDraw::ChannelPair sourceMarker = kNoMarker;
  ScrivoDraw::ChannelPair eventMarker = kNoMarker;
  bool unitsKnown = false;
  Doc::SettingsStore* settings;
};

}  // namespace ZR
