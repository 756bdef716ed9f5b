// The detector pages' previews over the module's preview classes.
#include "settingsdlg/PagePreviews.h"

#include "drawing/PreviewDataWin.h"
#include "enumerators/framework/ChannelValueRange.h"
#include "hostapi/DataDocument.h"
#include "hostapi/HostDocument.h"
#include "hostclient/ComPtr.h"
#include "settingsdlg/ZRPreview_PX.h"
#include "settingsdlg/ZRPreview_Stimulated.h"

#include <cstring>

namespace ZR::Dlg {

namespace {

// One of the module's previews as a page asks for it.
template <class Preview>
class PagePreview final : public DetectionPreview {
 public:
  PagePreview(QOR::ComPtr<IHostDocument> document, QOR::ComPtr<IHostDataDocument> data,
                        OWL::TWindow* page, Doc::SettingsStore* store)
      : mDocument(std::move(document)),
        mData(std::move(data)),
        mPreview(mDocument.Get(), mData.Get(), page, store) {}

  void Update(Doc::SettingsStore& store) override { mPreview.Update(&store); }
  void SetSamplingSource(bool wholeChannel) override { mPreview.SetSamplingSource(wholeChannel); }
  void PlaceForPosition(uint32_t recordPosition) override {
    mRecord = static_cast<int32_t>(recordPosition);
    mPreview.PlaceOverPlaceholder(mRecord);
  }
  void SetViewPosition(int64_t position, double zoom) override { mPreview.SetViewPosition(position, zoom); }
  void ShowChannelRange(int32_t channel, uint32_t recordPosition) override {
    ExtLib::AxisRange range{0.0, 0.0};
    double scale = 1.0;
    if (!ExtLib::GetChannelValueRange(mData.Get(), channel, TickPosition(static_cast<int32_t>(recordPosition), 0),
                                      &range, &scale))
      return;
    mPreview.SetAxisRange(0, range);
    mPreview.ResetScale(1, nullptr);
  }
  bool IsSampling() override { return mPreview.Window() && mPreview.Window()->IsSampling(); }
  void StopSampling() override {
    if (mPreview.Window()) mPreview.Window()->StopSampling();
  }
  void StartSampling() override {
    if (mPreview.Window()) mPreview.Window()->StartSampling();
  }
  void FillSetupWords(uint32_t words[12]) override {
    int64_t position = 0;
    double zoom = 0.0;
    mPreview.GetViewPosition(&position, &zoom);
    std::memcpy(&words[0], &position, sizeof position);
    std::memcpy(&words[2], &zoom, sizeof zoom);
    for (int32_t axis = 1; axis <= 2; ++axis) {
      double ends[2] = {0.0, 0.0};
      if (mPreview.Window()) mPreview.Window()->GetAxisRange(axis, &ends[0], &ends[1]);
      std::memcpy(&words[axis * 4], ends, sizeof ends);
    }
  }

 private:
  QOR::ComPtr<IHostDocument> mDocument;
  QOR::ComPtr<IHostDataDocument> mData;
  int32_t mRecord = 0;
  Preview mPreview;
};

}  // namespace

std::unique_ptr<DetectionPreview> MakePagePreview(DetectionPreview::Kind kind, IUnknown* hostDocument,
                                                  OWL::TWindow* page, Doc::SettingsStore* store) {
  if (!hostDocument) return nullptr;
  QOR::ComPtr<IHostDocument> document;
  QOR::ComPtr<IHostDataDocument> data;
  if (SUCCEEDED(hostDocument->QueryInterface(IID_IHostDocument, document.OutVoid())) && document) {
    document->GetDataDocument(data.Out());
  } else if (FAILED(hostDocument->QueryInterface(IID_IHostDataDocument, data.OutVoid()))) {
    data = nullptr;
  }
  if (!data) return nullptr;
  if (kind == DetectionPreview::Kind::Periodix)
    return std::make_unique<PagePreview<ZRPreview_PX>>(std::move(document), std::move(data), page, store);
  return std::make_unique<PagePreview<ZRPreview_Stimulated>>(std::move(document), std::move(data), page, store);
}

}  // namespace ZR::Dlg
