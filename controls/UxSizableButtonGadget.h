// UxSizableButtonGadget: a tool-bar button gadget whose face is a PNG image of the module (or
// the bitmap of the same id), drawn over a visual-style button background with hot, pressed
// and disabled looks, or over the classic border when themes are off.
#pragma once

#include "platform/owl/TButtonTextGadget.h"
#include "platform/uihelpers/UxThemeDLL.h"

#include <cstdint>

namespace Gdiplus {
class GpBitmap;
}

class UxSizableButtonGadget : public OWL::TButtonTextGadget {
 public:
  // Look bits.
  static constexpr uint32_t kPressed = 1;
  static constexpr uint32_t kHot = 2;
  static constexpr uint32_t kDisabled = 8;
  // The pressed overlay drawn over a down button: a translucent blue, ARGB.
  static constexpr uint32_t kPressedOverlay = 0x14007ED2;

  // Glyph only, room for 4 text characters.
  UxSizableButtonGadget(int id, const OWL::TResId& glyph, TType type, TState state);
  // For the preview bars: no text characters, state up, gadget flag 8 set.
  UxSizableButtonGadget(int id, const OWL::TResId& glyph, TType type);
  ~UxSizableButtonGadget() override;

  uint32_t GetLookBits() const noexcept { return mLook; }
  QORLinkingUtils::HTHEME GetTheme() const noexcept { return mTheme; }
  virtual const wchar_t* GetClassNameText() const noexcept { return L"UxSizableButtonGadget"; }
  const OWL::TSize& GetFaceSize() const noexcept { return mFaceSize; }
  const OWL::TPoint& GetGlyphPosition() const noexcept { return mGlyphPos; }

  void GetDesiredSize(OWL::TSize& size) override;
  void SetBounds(const OWL::TRect& bounds) override;
  void CommandEnable() override;
  void SysColorChange() override;
  void Created() override;
  void Paint(OWL::TDC& dc) override;
  void PaintBorder(OWL::TDC& dc) override;
  void MouseEnter(UINT modKeys, const OWL::TPoint& point) override;
  void MouseLeave(UINT modKeys, const OWL::TPoint& point) override;
  void LButtonDown(UINT modKeys, const OWL::TPoint& point) override;
  void LButtonUp(UINT modKeys, const OWL::TPoint& point) override;

 protected:
  void PaintFace(OWL::TDC& dc, const OWL::TRect& rect) override;
  void LayoutTextGlyph(const OWL::TRect& inner, OWL::TRect& textRect, OWL::TRect& glyphRect) override;
  void PaintText(OWL::TDC& dc, const OWL::TRect& rect, const std::wstring& text) override;
  // The face size from the face image, building the image when there is none.
  virtual void ComputeFaceSize();
  virtual void PaintThemedBackground(OWL::TDC& dc, const OWL::TRect& rect);

  // A custom gadget's start: id 214, no glyph resource, image as the face.
  UxSizableButtonGadget(Gdiplus::GpBitmap* image, int themeKind, TStyle style, TType type, bool enabled,
                        TState state, bool sharedGlyph, unsigned numChars);
  // Clears hot and sets disabled for a disabled gadget, clears disabled otherwise.
  void UpdateDisabledLook() noexcept;
  // Fills rect inset by 2 with the pressed overlay while down or pressed and enabled.
  void PaintPressedOverlay(OWL::TDC& dc, const OWL::TRect& rect);
  bool IsDownOrPressed() const noexcept { return GetButtonState() == Down || (mLook & kPressed); }
  void SetLook(uint32_t set, uint32_t clear) noexcept { mLook = (mLook & ~clear) | set; }

 private:
  void StartUp();
  void OpenTheme(HWND window);
  void CloseTheme() noexcept;
  // Builds the face from the "PNG" resource, else from the bitmap resource of the glyph id.
  void BuildFaceImage();
  HINSTANCE FaceModule() const noexcept;

  QORLinkingUtils::HTHEME mTheme = nullptr;
  uint32_t mLook = 0;
  int mThemeKind = 1;
  Gdiplus::GpBitmap* mFace = nullptr;
  Gdiplus::GpBitmap* mAltFace = nullptr;
  OWL::TSize mFaceSize{0, 0};
  OWL::TPoint mGlyphPos{0, 0};
};

// Command enabling of a sizable button gadget: enabling, its text and its check state.
class UxSizableButtonGadgetEnabler : public OWL::TButtonGadgetEnabler {
 public:
  UxSizableButtonGadgetEnabler(UxSizableButtonGadget& gadget, HWND receiver) noexcept
      : TButtonGadgetEnabler(gadget, receiver) {}
  void SetText(const wchar_t* text) noexcept override;
};
