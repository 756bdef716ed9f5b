// OWL::TStatic: a static text control.
#pragma once

#include "platform/owl/TControl.h"

#include <string>

namespace OWL {

class TStatic : public TControl {
 public:
  // textLimit: most characters SetText keeps (0: no limit).
  TStatic(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
          UINT textLimit = 0, TModule* module = nullptr);
  TStatic(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);

  std::wstring GetText() const { return GetWindowText(); }
  // Cut to the text limit.
  virtual void SetText(const wchar_t* text);
  void Clear() { SetText(L""); }

  const wchar_t* GetClassName() override { return L"STATIC"; }

 protected:
  UINT mTextLimit;
};

}  // namespace OWL
