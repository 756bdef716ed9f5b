// QORControls::TBitmapGroupBox, a group box with a small bitmap in its caption, and
// QORControls::BitmapWindow, a static control showing a bitmap it owns.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TGroupBox.h"
#include "platform/owl/TStatic.h"

#include <functional>
#include <memory>
#include <string>

namespace QORControls {

// The caption without leading and trailing white space.
std::wstring TrimCaption(const std::wstring& caption);

// How many blanks make a text at least target pixels wide, measuring the text before each
// blank is added. Stops when a measure fails and after 64 blanks, so a font whose blank has no
// width cannot keep it going.
int CountPaddingBlanks(const std::function<bool(const std::wstring&, SIZE&)>& measure, int target);

class TBitmapGroupBox : public OWL::TGroupBox {
 public:
  // The template group box resourceId with the module's bitmap bitmapId (none when it cannot
  // be loaded).
  TBitmapGroupBox(OWL::TWindow* parent, int resourceId, int bitmapId);
  ~TBitmapGroupBox() override;

  int GetPaddingCount() const noexcept { return mPadding; }
  bool HasBitmap() const noexcept { return mBitmap != nullptr; }
  // Where the bitmap goes, in client pixels.
  POINT BitmapPosition() const;
  // Draws the bitmap at its place with its top-left pixel's colour transparent.
  void PaintBitmap(HDC dc) const;

  void SetupWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::unique_ptr<OWL::TBitmap> mBitmap;
  bool mBitmapAfterText = true;
  int mPadding = 0;
};

// Drawn over a bitmap window's bitmap.
class BitmapOverlay {
 public:
  virtual ~BitmapOverlay() = default;
  virtual void Draw(HDC dc, const RECT& rect) = 0;
};

// Where a bitmap of a size goes in a rectangle, and which of its pixels are read first.
struct BitmapLayout {
  POINT Source;
  RECT Rect;
};
// placement: 0 top left, 1 bottom aligned, 2 centred, 3 bitmap-sized at the top left,
// 4 window sized to the bitmap.
BitmapLayout LayOutBitmap(int placement, SIZE bitmap, const RECT& rect) noexcept;

class BitmapWindow : public OWL::TStatic {
 public:
  static constexpr int kControlId = 1075;
  // The template static 1075; takes bitmap over.
  BitmapWindow(OWL::TWindow* parent, OWL::TBitmap* bitmap);
  ~BitmapWindow() override;

  void SetPlacement(int placement) noexcept { mPlacement = placement; }
  RECT GetPlacementRect() const noexcept { return mPlacementRect; }
  // Fills rect with the face colour and draws the bitmap and the overlay.
  void PaintBitmap(HDC dc, const RECT& rect);

  void SetupWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int mPlacement = 0;
  std::unique_ptr<OWL::TBitmap> mBitmap;
  RECT mPlacementRect{0, 0, 0, 0};
  RECT mSecondRect{0, 0, 0, 0};
  std::unique_ptr<BitmapOverlay> mOverlay;
};

}  // namespace QORControls
