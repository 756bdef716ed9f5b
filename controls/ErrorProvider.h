// QORControls::ErrorProvider: the small error icon beside a dialog control. Hidden until
// SetError shows it; hovering or clicking it explains the error in a balloon or a plain tip.
#pragma once

#include "base/String.h"
#include "controls/Popup.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TStatic.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace QORControls {

enum ErrorProviderFlag : uint32_t {
  epBalloon = 0x01,      // a balloon on mouse movement and on any button
  epPopup = 0x02,        // a plain tip once the cursor rests on the icon
  epNoHover = 0x04,      // nothing on hovering
  epError = 0x08,        // the error bitmap, a warning icon in the balloon
  epAlternative = 0x10,  // the alternative bitmap, a warning icon in the balloon
  epInformation = 0x20,  // the information bitmap and balloon icon
  epLink = 0x40,         // the link text in the balloon
};

// One display bit (balloon before popup before none; none set means balloon) and one style
// bit (alternative before error before information; none set means error); 0x40 is kept.
uint32_t NormaliseErrorFlags(uint32_t flags) noexcept;

class ErrorProvider : public OWL::TStatic {
 public:
  // The template control id is the icon's placeholder; flags 9 (balloon, error look).
  ErrorProvider(OWL::TWindow* parent, int id);
  // A new icon window at (x, y) of the parent's client area.
  ErrorProvider(OWL::TWindow* parent, int id, int x, int y, int width, int height, uint32_t flags);
  ~ErrorProvider() override;

  // Keeps title and text, then shows (show) or hides the icon.
  void SetError(const QOR::String& title, bool show, const QOR::String& text);

  uint32_t GetFlags() const noexcept { return mFlags; }
  const QOR::String& GetTitle() const noexcept { return mTitle; }
  const QOR::String& GetText() const noexcept { return mText; }
  const QOR::Popup* GetTip() const noexcept { return mTip.get(); }
  int GetHoverTime() const noexcept { return mHoverTime; }
  // The bitmap of the style bits in force.
  const OWL::TBitmap* StyleBitmap() const noexcept;
  // Draws that bitmap at (0, 0) with its top-left pixel's colour transparent.
  void PaintIcon(HDC dc) const;
  // Opens the balloon that explains the error, anchored at the icon's centre.
  void RequestBalloon();

  void SetupWindow() override;
  void EvPaint();
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvLButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvRButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvMButtonDown(UINT modKeys, const OWL::TPoint& point);
  void EvMouseLeave();
  void EvTimer(UINT timerId);

 private:
  void Init();
  bool PopupMode() const noexcept { return (mFlags & epPopup) != 0; }
  bool BalloonMode() const noexcept { return (mFlags & epBalloon) != 0; }
  void StartHoverTimer();
  void ButtonDown();
  void RemoveTip() noexcept;

  uint32_t mFlags;
  std::unique_ptr<OWL::TBitmap> mErrorBitmap;
  std::unique_ptr<OWL::TBitmap> mAlternativeBitmap;
  std::unique_ptr<OWL::TBitmap> mInformationBitmap;
  QOR::String mTitle;
  QOR::String mText;
  QOR::String mLinkText;
  POINT mLastPoint{0, 0};
  std::function<void()> mClickCallback;
  std::function<void()> mLinkCallback;
  std::unique_ptr<QOR::Popup> mTip;
  bool mTipShown = false;
  int mHoverTime = 0;
  bool mLeaveTracking = false;

  DECLARE_RESPONSE_TABLE(ErrorProvider);
};

}  // namespace QORControls
