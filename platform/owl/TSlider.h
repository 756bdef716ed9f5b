// OWL::TSlider: a trackbar with the scroll bar's interface: its range and position calls and
// its virtual scroll actions (the trackbar's codes are the scroll codes).
#pragma once

#include "platform/owl/TScrollBar.h"

namespace OWL {

class TSlider : public TScrollBar {
 public:
  // style: TBS_HORZ or TBS_VERT with any other TBS_ bits.
  TSlider(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, TModule* module = nullptr);
  TSlider(TWindow* parent, int resourceId, TModule* module = nullptr);

  void GetRange(int& min, int& max) const override;
  void SetRange(int min, int max, bool redraw = true) override;
  int GetPosition() const override;
  void SetPosition(int thumbPos, bool redraw = true) override;
  // Tick marks every ticGap units.
  void SetRuler(int ticGap) noexcept;

  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"msctls_trackbar32"; }

 private:
  int mMin = 0;
  int mMax = 100;
  int mPos = 0;
};

}  // namespace OWL
