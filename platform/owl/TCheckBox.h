// OWL::TCheckBox: a check box (automatic: a click toggles it).
#pragma once

#include "platform/owl/ResponseTable.h"
#include "platform/owl/TButton.h"

namespace OWL {

class TGroupBox;

class TCheckBox : public TButton {
 public:
  TCheckBox(TWindow* parent, int id, const wchar_t* title, int x, int y, int w, int h,
            TGroupBox* group = nullptr, TModule* module = nullptr);
  TCheckBox(TWindow* parent, int resourceId, TGroupBox* group = nullptr, TModule* module = nullptr);

  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  UINT GetCheck() const noexcept { return static_cast<UINT>(SendMessage(BM_GETCHECK)); }
  void SetCheck(UINT state) noexcept { SendMessage(BM_SETCHECK, state); }
  void Check() noexcept { SetCheck(BST_CHECKED); }
  void Uncheck() noexcept { SetCheck(BST_UNCHECKED); }
  void Toggle() noexcept { SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); }
  TGroupBox* GetGroup() const noexcept { return mGroup; }

  // Its own BN_CLICKED, before the parent hears it: tells the group box, when there is one,
  // that the selection in the group changed.
  virtual void BNClicked();

 private:
  TGroupBox* mGroup;

  DECLARE_RESPONSE_TABLE(TCheckBox);
};

}  // namespace OWL
