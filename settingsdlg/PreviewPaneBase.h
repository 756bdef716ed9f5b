// ExtLib::PreviewPaneBase: the detection preview of a settings page: a preview window over the
// data file's preview data, placed on the page's placeholder, with its vertical axis ranges and
// horizontal view position.
#pragma once

#include "enumerators/framework/ChannelValueRange.h"
#include "hostclient/ComPtr.h"
#include "hostapi/PreviewSampling.h"

#include <windows.h>

#include <cstdint>
#include <memory>

struct IHostDocument;
namespace OWL {
class TWindow;
}
namespace ScrivoDraw {
class PreviewDataWinWButtons;
}

namespace ExtLib {

// The page's static control the preview covers.
inline constexpr int kPreviewPlaceholderId = 1053;

class PreviewPaneBase {
 public:
  PreviewPaneBase();
  virtual ~PreviewPaneBase();
  PreviewPaneBase(const PreviewPaneBase&) = delete;
  PreviewPaneBase& operator=(const PreviewPaneBase&) = delete;

  // With a window: the pane samples through the host's sampling control when on, else not.
  virtual void SetSamplingSource(bool on);
  // which 0: axis 1, else axis 2. An axis whose lanes follow their data is reset; otherwise a
  // given range is set, and then forced onto the first lane.
  virtual void ResetScale(int32_t which, const AxisRange* given);
  virtual void SetAxisRange(int32_t which, AxisRange range);

  // Makes the window on parent over the data file's preview data; the host document (may be
  // null) and data file are not held. (The parentheses keep the Windows macro of that name out.)
  void(CreateWindow)(IHostDocument* hostDocument, IUnknown* dataFile, OWL::TWindow* parent);
  // Keeps record and puts the window on the page's placeholder.
  void PlaceOverPlaceholder(int32_t record);
  // The first visible tick and the samples per pixel.
  void GetViewPosition(int64_t* position, double* zoom) const;
  void SetViewPosition(int64_t position, double zoom);

  ScrivoDraw::PreviewDataWinWButtons* Window() const noexcept { return window.get(); }
  IHostSamplingControl* SamplingSource() const noexcept { return samplingSource.Get(); }
  int32_t CountLimit() const noexcept { return countLimit; }
  bool GridOptionOn() const noexcept { return gridOptionOn; }

 protected:
  void TakeSamplingControl();
  void ReadDisplayOptions();
  int32_t HostDisplayMode() const;

  COLORREF graticuleColour = RGB(192, 192, 192);
  uint32_t hostOption2 = 0;
  bool gridOptionOn = true;
  int32_t countLimit = 0;
  int32_t record = 0;
  bool windowMade = false;
  std::unique_ptr<ScrivoDraw::PreviewDataWinWButtons> window;
  OWL::TWindow* parent = nullptr;
  QOR::ComPtr<IPaneDataSource> dataInterface;
  IHostDocument* hostDocument = nullptr;
  IUnknown* dataFile = nullptr;
  QOR::ComPtr<IHostSamplingControl> samplingSource;
};

}  // namespace ExtLib
