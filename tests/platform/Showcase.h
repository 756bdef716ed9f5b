// A top-level test window holding one of each framework control, for the control tests and
// for looking at them on the display.
#pragma once

#include "platform/owl/TButton.h"
#include "platform/owl/TCheckBox.h"
#include "platform/owl/TComboBox.h"
#include "platform/owl/TEdit.h"
#include "platform/owl/TGlyphButton.h"
#include "platform/owl/TGroupBox.h"
#include "platform/owl/THSlider.h"
#include "platform/owl/TRadioButton.h"
#include "platform/owl/TScrollBar.h"
#include "platform/owl/TStatic.h"
#include "platform/owl/TTabControl.h"
#include "platform/owl/TUpDown.h"
#include "platform/owl/TWindow.h"

#include <windows.h>

#include <cstdint>

class Showcase : public OWL::TWindow {
 public:
  // A captioned window takes Wine two seconds to hide on a display without a window manager,
  // so the tests use a plain popup.
  explicit Showcase(DWORD style = WS_POPUP | WS_BORDER)
      : TWindow(nullptr, L"Ondara controls") {
    Attr.Style = style;
    Attr.X = 40;
    Attr.Y = 40;
    Attr.W = 420;
    Attr.H = 330;
    Tabs = new OWL::TTabControl(this, 100, 10, 10, 390, 60);
    Group = new OWL::TGroupBox(this, 101, L"Options", 10, 80, 190, 90);
    Check = new OWL::TCheckBox(this, 102, L"Analyse while sampling", 20, 100, 170, 20);
    Radio = new OWL::TRadioButton(this, 103, L"Whole channel", 20, 122, 170, 20);
    Label = new OWL::TStatic(this, 104, L"Threshold:", 210, 84, 70, 20);
    Edit = new OWL::TEdit(this, 105, L"5", 280, 80, 60, 22);
    Spin = new OWL::TUpDown(this, 106, 340, 80, 18, 22, Edit);
    Combo = new OWL::TComboBox(this, 107, 210, 112, 190, 120);
    Slider = new OWL::THSlider(this, 108, 10, 180, 390, 34);
    Scroll = new OWL::TScrollBar(this, 109, 10, 222, 390, 16, true);
    Ok = new OWL::TButton(this, IDOK, L"OK", 190, 250, 100, 28, true);
    Help = new OWL::TGlyphButton(this, 9, L"Help", 300, 250, 100, 28);
    Spin->SetRange(1, 10);
    Spin->SetPos(5);
    Slider->SetRange(0, 20);
  }

  void SetupWindow() override {
    TWindow::SetupWindow();
    HFONT const font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (OWL::TWindow* child : GetChildren()) child->SetWindowFont(font, false);
    Tabs->Add(L"Detector");
    Tabs->Add(L"Baseline");
    Tabs->Add(L"Calculations");
    Combo->AddString(L"Cardiac Action Potential");
    Combo->AddString(L"Synaptic");
    Combo->SetSelIndex(0);
    Check->Check();
    Radio->Check();
    Slider->SetRuler(5);
    Slider->SetPosition(8);
    Scroll->SetPosition(30);
    Help->SetGlyph(MakeGlyph());
  }

  OWL::TTabControl* Tabs;
  OWL::TGroupBox* Group;
  OWL::TCheckBox* Check;
  OWL::TRadioButton* Radio;
  OWL::TStatic* Label;
  OWL::TEdit* Edit;
  OWL::TUpDown* Spin;
  OWL::TComboBox* Combo;
  OWL::THSlider* Slider;
  OWL::TScrollBar* Scroll;
  OWL::TButton* Ok;
  OWL::TGlyphButton* Help;

 private:
  // A 16 x 16 blue question-mark-like disc on a green transparent key.
  static OWL::TBitmap* MakeGlyph() {
    uint32_t* bits = nullptr;
    OWL::TBitmap* glyph = OWL::TBitmap::CreateDIB32(16, 16, &bits);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        int const dx = 2 * x - 15;
        int const dy = 2 * y - 15;
        bits[y * 16 + x] = dx * dx + dy * dy <= 196 ? 0x2060D0u : 0x00FF00u;
      }
    }
    return glyph;
  }
};
