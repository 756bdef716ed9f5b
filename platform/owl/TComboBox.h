// OWL::TComboBox: a combo box (drop-down list by default) and its list operations.
#pragma once

#include "platform/owl/TControl.h"

#include <string>

namespace OWL {

class TComboBox : public TControl {
 public:
  // style: CBS_DROPDOWNLIST, CBS_DROPDOWN or CBS_SIMPLE (with any other CBS_ bits);
  // textLimit: most characters of the edit part (0: none).
  TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style = CBS_DROPDOWNLIST,
            UINT textLimit = 0, TModule* module = nullptr);
  TComboBox(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);

  // Indexes answer CB_ERR (-1) when there is no such entry.
  int AddString(const wchar_t* text) noexcept;
  int InsertString(const wchar_t* text, int index) noexcept;
  void ClearList() noexcept { SendMessage(CB_RESETCONTENT); }
  int GetCount() const noexcept { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetSelIndex() const noexcept { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetSelIndex(int index) noexcept { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
  int FindString(const wchar_t* text, int searchAfter = -1) const noexcept;
  int FindStringExact(const wchar_t* text, int searchAfter = -1) const noexcept;
  int GetStringLen(int index) const noexcept { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index)); }
  // Empty for an index out of range.
  std::wstring GetString(int index) const;
  LRESULT GetItemData(int index) const noexcept { return SendMessage(CB_GETITEMDATA, index); }
  int SetItemData(int index, LPARAM data) noexcept {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, index, data));
  }
  std::wstring GetText() const { return GetWindowText(); }
  // Selects the entry equal to text, or puts text into the edit part.
  void SetText(const wchar_t* text);
  void SetTextLimit(UINT limit) noexcept;
  void ShowList(bool show = true) noexcept { SendMessage(CB_SHOWDROPDOWN, show); }

  void SetupWindow() override;
  const wchar_t* GetClassName() override { return L"COMBOBOX"; }

 private:
  UINT mTextLimit;
};

}  // namespace OWL
