// OWL::TButtonGadget: a push button gadget with a bitmap face: a command button, one of an
// exclusive group (one down at a time) or a two-state toggle. A left press captures the
// mouse; the button acts when released over itself and posts WM_COMMAND with its id to its
// gadget window.
#pragma once

#include "platform/owl/TBitmap.h"
#include "platform/owl/TCommandEnabler.h"
#include "platform/owl/TGadget.h"
#include "platform/owl/TResId.h"

#include <memory>

namespace OWL {

class TButtonGadget : public TGadget {
 public:
  enum TType { Command, Exclusive, NonExclusive };
  enum TState { Up, Down, Indeterminate };

  // glyph: a bitmap resource of the gadget window's module, loaded when first needed.
  TButtonGadget(const TResId& glyph, int id, TType type = Command, bool enabled = true,
                TState state = Up, bool sharedGlyph = false);

  TState GetButtonState() const noexcept { return mState; }
  // Down in an exclusive group puts the group's other buttons up.
  void SetButtonState(TState state);
  const TResId& GetGlyphId() const noexcept { return mGlyph; }
  // The left button went down on the gadget and is still held.
  bool IsPressed() const noexcept { return mPressed; }
  // Pressed with the cursor over the gadget: drawn pressed in.
  bool IsPressedIn() const noexcept { return mPressed && mPressedIn; }

  void GetDesiredSize(TSize& size) override;
  void Paint(TDC& dc) override;
  // Sunken while down or pressed in; in a flat window only while hot, down or pressed.
  void PaintBorder(TDC& dc) override;
  void MouseEnter(UINT modKeys, const TPoint& point) override;
  void MouseLeave(UINT modKeys, const TPoint& point) override;
  void MouseMove(UINT modKeys, const TPoint& point) override;
  void LButtonDown(UINT modKeys, const TPoint& point) override;
  void LButtonUp(UINT modKeys, const TPoint& point) override;
  // Sends a TButtonGadgetEnabler through the gadget window.
  void CommandEnable() override;
  void SysColorChange() override;

 protected:
  // The glyph centred in rect, greyed when disabled, one pixel down-right when pressed in.
  virtual void PaintFace(TDC& dc, const TRect& rect);
  // Changes the state by the type and posts the command.
  virtual void Activate(const TPoint& point);
  void BeginPressed(const TPoint& point);
  void CancelPressed(const TPoint& point);
  // The glyph bitmap, loaded on first use; null when missing.
  TBitmap* GetGlyphBitmap();

 private:
  TResId mGlyph;
  std::unique_ptr<TBitmap> mGlyphBitmap;
  TType mType;
  TState mState;
  bool mPressed = false;
  bool mPressedIn = false;
};

// The command-enabling question of one button gadget: Enable and SetCheck reach the gadget.
class TButtonGadgetEnabler : public TCommandEnabler {
 public:
  TButtonGadgetEnabler(TButtonGadget& gadget, HWND receiver) noexcept
      : TCommandEnabler(static_cast<UINT>(gadget.GetId()), receiver), mGadget(gadget) {}
  void Enable(bool enable = true) noexcept override;
  void SetCheck(int state) noexcept override;

 protected:
  TButtonGadget& mGadget;
};

}  // namespace OWL
