// QORControls::TBalloonCheckBox: a check box that opens a balloon with its help text when the
// cursor rests on it; BalloonRadioButton is the same as a radio button of a dialog template.
#pragma once

#include "platform/owl/TCheckBox.h"

#include <cstdint>
#include <string>

namespace QORControls {

// The content wrapped at width characters per line (at most width - 2 before a cut): lines
// break after a comma or blank outside double quotes and end in CR LF; an empty content or a
// single blank becomes " \n". Widths below 3 leave the content as it is.
std::wstring WrapBalloonContent(const std::wstring& content, int width);

class TBalloonCheckBox : public OWL::TCheckBox {
 public:
  static constexpr UINT_PTR kHoverTimer = 1;
  // A new check box at (0, y), 100 by 16, in group.
  TBalloonCheckBox(OWL::TWindow* parent, int id, const wchar_t* caption, int y, OWL::TGroupBox* group);
  // The template control with resourceId.
  TBalloonCheckBox(OWL::TWindow* parent, int resourceId);

  // Null texts become "Title" and "Content"; a wrap width above 0 wraps the content.
  void SetBalloonText(const wchar_t* title, const wchar_t* content, int wrapWidth);
  void SetHoverDelay(uint32_t milliseconds) noexcept { mHoverDelay = milliseconds; }
  uint32_t GetHoverDelay() const noexcept { return mHoverDelay; }
  const std::wstring& GetBalloonContent() const noexcept { return mContent; }
  bool IsClicked() const noexcept { return mClicked; }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowBalloon();

  bool mEnabled = true;
  bool mTracking = false;
  bool mDue = false;
  bool mClicked = false;
  uint32_t mLifetime = 0;
  uint32_t mHoverDelay = 750;
  uint32_t mOptions = 0x4C38;
  std::wstring mTitle = L"Title";
  std::wstring mContent = L"Content";
  int mIcon = 32516;  // IDI_INFORMATION
  POINT mLastPoint{0, 0};
};

class BalloonRadioButton : public TBalloonCheckBox {
 public:
  BalloonRadioButton(OWL::TWindow* parent, int resourceId) : TBalloonCheckBox(parent, resourceId) {}

  // Keys that move through a group send BN_CLICKED before the button is checked as well as
  // after: only the click that leaves it checked counts as a choice.
  void BNClicked() override;
};

}  // namespace QORControls
