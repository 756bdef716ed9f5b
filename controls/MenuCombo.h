// QORControls::MenuCombo: an owner-drawn combo box whose list looks like a menu. Entries the
// owner marks as separators are drawn as a grey line (no text) or as a heading (with text) and
// can be neither clicked nor reached with the arrow keys; the owner reads and sets the choice
// by its index among the selectable entries.
#pragma once

#include "platform/owl/TComboBox.h"

#include <memory>
#include <vector>

namespace QORControls {

// Index arithmetic around separators (sorted or not), usable without a window.
namespace MenuComboIndex {
// The selectable index of entry; values below 1 come back unchanged.
int Selectable(int entry, const std::vector<int>& separators) noexcept;
// The entry of the n-th selectable entry, or -1 past the last of count entries.
int Entry(int n, const std::vector<int>& separators, int count) noexcept;
inline constexpr int kSwallow = -1000;
// Where the selection is put before the list moves it one up (Up/Left) or one down
// (Down/Right), or kSwallow when no selectable entry lies that way.
int BeforeUp(int current, const std::vector<int>& separators) noexcept;
int BeforeDown(int current, const std::vector<int>& separators, int count) noexcept;
}  // namespace MenuComboIndex

class MenuCombo : public OWL::TComboBox {
 public:
  static constexpr int kControlId = 1039;
  // The control 1039 of the parent dialog's template.
  explicit MenuCombo(OWL::TWindow* parent);
  ~MenuCombo() override;

  int InsertString(const wchar_t* text, int index) noexcept;
  // Empties the list and the separator marks.
  void ClearList() noexcept;
  // Marks entry index as a separator (a heading when it has text).
  void MarkSeparator(int index);
  bool IsSeparator(int index) const noexcept;
  const std::vector<int>& GetSeparators() const noexcept { return mSeparators; }

  int GetSelItemIndex() const noexcept;
  // -1 when there is no n-th selectable entry.
  int SetSelItemIndex(int n) noexcept;

  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"MenuCombo"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void MeasureItem(MEASUREITEMSTRUCT& item) override;

  // The list window's handler of a message; true when the message is swallowed. The list
  // window calls it before its own procedure.
  bool FilterListMessage(HWND list, UINT msg, WPARAM wParam, LPARAM lParam);

  class MenuComboLBox;

 protected:
  // A combo box of the same kind on the template control resourceId.
  MenuCombo(OWL::TWindow* parent, int resourceId);
  // The item height from font's metrics, given to the selection field the first time.
  void MeasureWithFont(MEASUREITEMSTRUCT& item, HFONT font);
  // A light grey line across the middle of rect.
  static void DrawSeparatorLine(HDC dc, const RECT& rect);
  // The item font, a new one the caller deletes: the user-interface font, bold and italic for
  // separators.
  virtual HFONT CreateItemFont(bool separator) const;

 private:

  std::vector<int> mSeparators;
  std::unique_ptr<MenuComboLBox> mList;
  bool mItemHeightSet = false;
};

}  // namespace QORControls
