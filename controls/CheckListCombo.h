// A drop-down combo box whose list items carry check boxes and whose edit field takes a typed
// selection such as "1,3,5-7", in two layers: CheckListMenuCombo draws separators, command
// items and checkable items and answers the window text with a composed text;
// TypedSelectionCombo re-reads the typed text and checks the items it names.
#pragma once

#include "controls/CheckedTheme.h"
#include "controls/MenuCombo.h"
#include "platform/owl/ResponseTable.h"

#include <memory>
#include <string>
#include <vector>

namespace QORControls {

// The item numbers a typed text names, as count flags (flag k: number k + 1). Numbers and
// ranges ("a-b", both ends and all between; only the ends when a > b) are joined by
// separator; parsing stops at the first text that does not fit. Numbers of 0 and past count
// are ignored. A text containing allKeyword (any letter case) names every item.
std::vector<bool> ParseNumberList(const std::wstring& text, const std::wstring& allKeyword, int count,
                                  const std::wstring& separator);

class CheckListMenuCombo : public MenuCombo {
 public:
  CheckListMenuCombo(OWL::TWindow* parent, int resourceId);

  // Two items drawn as plain text without a check box (-1: none).
  void SetCommandItems(int first, int second) noexcept {
    mFirstCommand = first;
    mSecondCommand = second;
  }
  bool IsChecked(int index) const noexcept { return GetItemData(index) != 0 && GetItemData(index) != CB_ERR; }
  virtual void SetItemCheck(int index, bool checked, bool redraw);
  // The composed text, refreshed.
  const std::wstring& GetComposedText();
  virtual void ClearComposedText() noexcept { mComposedStale = true; }

  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void MeasureItem(MEASUREITEMSTRUCT& item) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The checked items' texts joined by ", ".
  virtual std::wstring ComposeText();
  bool IsCommandItem(int index) const noexcept { return index >= 0 && (index == mFirstCommand || index == mSecondCommand); }

 private:
  void DrawCheckBox(HDC dc, const RECT& box, bool checked);

  bool mComposedStale = true;
  std::wstring mComposedText;
  int mFirstCommand = -1;
  int mSecondCommand = -1;
  std::unique_ptr<CheckedTheme> mTheme;
};

class TypedSelectionCombo : public CheckListMenuCombo {
 public:
  static constexpr UINT_PTR kReparseTimer = 1;
  static constexpr UINT kReparseDelay = 2000;
  // Sent to the parent after each re-parse.
  static constexpr UINT kSelectionChanged = 0x300;

  TypedSelectionCombo(OWL::TWindow* parent, int resourceId) : CheckListMenuCombo(parent, resourceId) {}

  void SetFirstNumberedItem(int index) noexcept { mFirstNumbered = index; }
  void SetAllKeyword(const std::wstring& keyword) { mAllKeyword = keyword; }
  // A text that, found in the typed text, selects every item.
  virtual std::wstring AllKeyword() const { return mAllKeyword; }
  const std::vector<bool>& GetSelection() const noexcept { return mSelection; }
  bool IsEdited() const noexcept { return mEdited; }

  // Reads the typed text, checks the items it names and tells the parent.
  void Reparse();

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // The combo box's own notifications, met before its parent hears them: typing starts the
  // re-read timer again; dropping the list down or leaving the box re-reads what is pending.
  void CbnEditChange();
  void CbnReparseNow();

  int mFirstNumbered = 0;
  std::wstring mAllKeyword;
  std::vector<bool> mSelection;
  UINT_PTR mPendingTimer = static_cast<UINT_PTR>(-1);
  bool mEdited = false;

  DECLARE_RESPONSE_TABLE(TypedSelectionCombo);
};

}  // namespace QORControls
