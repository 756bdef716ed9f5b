// ZR::Dlg::DetectionPreview: what a detector page asks of its detection preview, and the one
// place that makes previews for the pages (none until a maker is installed).
#pragma once

#include <unknwn.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace OWL {
class TWindow;
}
namespace ZR::Doc {
class SettingsStore;
}

namespace ZR::Dlg {

class DetectionPreview {
 public:
  enum class Kind { Stimulated, Periodix };
  virtual ~DetectionPreview() = default;

  // Writes the detection from the store and has the host compute and draw it.
  virtual void Update(Doc::SettingsStore& store) = 0;
  // The whole channel (true) or the selection (false) as the sampling source.
  virtual void SetSamplingSource(bool wholeChannel) = 0;
  // Over the page's placeholder 1053, showing the record that holds recordPosition.
  virtual void PlaceForPosition(uint32_t recordPosition) = 0;
  virtual void SetViewPosition(int64_t position, double zoom) = 0;
  // The value axis over the channel's range in the record of recordPosition, then the second
  // axis reset; left alone when the range cannot be read.
  virtual void ShowChannelRange(int32_t channel, uint32_t recordPosition) = 0;
  virtual bool IsSampling() = 0;
  virtual void StopSampling() = 0;
  virtual void StartSampling() = 0;
  // View position (words 0-1), zoom (2-3) and the ranges of axes 1 (4-7) and 2 (8-11).
  virtual void FillSetupWords(uint32_t words[12]) = 0;
};

using DetectionPreviewMaker = std::function<std::unique_ptr<DetectionPreview>(
    DetectionPreview::Kind kind, IUnknown* hostDataDocument, OWL::TWindow* page, Doc::SettingsStore* store)>;

// Replaces the maker (empty: pages have no preview); answers the one it replaced.
DetectionPreviewMaker SetDetectionPreviewMaker(DetectionPreviewMaker maker);
// The page's preview; null without a host data document or a maker.
std::unique_ptr<DetectionPreview> MakeDetectionPreview(DetectionPreview::Kind kind, IUnknown* hostDataDocument,
                                                       OWL::TWindow* page, Doc::SettingsStore* store);

}  // namespace ZR::Dlg
