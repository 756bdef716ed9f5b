// ScriptedModalSeam: a modal seam for tests. Message boxes are recorded and answered from a
// list, popup menus answer scripted commands, and a modal dialog runs modeless with a script
// acting as the user; nothing waits for input.
#pragma once

#include "platform/owl/TDialog.h"
#include "platform/owl/TModalSeam.h"

#include <windows.h>
#include <commdlg.h>

#include <cwchar>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Dispatches every queued message of the thread until the queue is empty.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class ScriptedModalSeam : public OWL::TModalSeam {
 public:
  ScriptedModalSeam() : mPrevious(Install(this)) {}
  ~ScriptedModalSeam() override { Install(mPrevious); }
  ScriptedModalSeam(const ScriptedModalSeam&) = delete;
  ScriptedModalSeam& operator=(const ScriptedModalSeam&) = delete;

  // Texts of the message boxes shown, in order; each is answered by the next of
  // MessageAnswers, IDOK when they have run out.
  std::vector<std::wstring> MessageTexts;
  std::deque<int> MessageAnswers;
  // Acts on the dialog while it is open (set texts, send IDOK); a dialog still open after the
  // script and the message queue is cancelled.
  std::function<void(OWL::TDialog&)> DialogScript;
  // Commands returned by successive popup menus (0: nothing chosen when they have run out, or
  // when the command is greyed or not in the menu);
  // the menus tracked are kept with their item count.
  std::deque<UINT> MenuChoices;
  std::vector<int> MenuItemCounts;
  // Where and how each popup menu was tracked.
  struct MenuTrackRecord {
    int x;
    int y;
    UINT flags;
    HWND owner;
  };
  std::vector<MenuTrackRecord> MenuTracks;
  // What a save dialog was given (texts copied: the caller's buffers go with the call).
  struct SaveDialogRecord {
    HWND owner;
    std::wstring title;
    std::wstring filters;  // each text ended by its NUL, the list's closing NUL not included
    DWORD filterIndex;
    std::wstring defaultExtension;
    std::wstring initialFolder;
    DWORD flags;
    DWORD maxFile;
  };
  // Names chosen in successive save dialogs (cancelled when they have run out); each dialog
  // shown is kept. As the system's dialog does, one asked to prompt before overwriting asks
  // whether to replace a chosen file that exists, as a message box answered from MessageAnswers:
  // any answer but IDYES leaves the dialog cancelled.
  std::deque<std::wstring> SaveFileNames;
  std::vector<SaveDialogRecord> SaveDialogs;

  int MessageBox(HWND, const wchar_t* text, const wchar_t*, UINT) override {
    MessageTexts.push_back(text ? text : L"");
    if (MessageAnswers.empty()) return IDOK;
    int const answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
  }

  INT_PTR ExecuteDialog(OWL::TDialog& dialog) override {
    dialog.Create();
    if (DialogScript) DialogScript(dialog);
    PumpMessages();
    if (dialog.GetHandle()) dialog.Destroy(IDCANCEL);
    return dialog.GetModalResult();
  }

  BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS*) override {
    MenuItemCounts.push_back(GetMenuItemCount(menu));
    MenuTracks.push_back({x, y, flags, owner});
    if (MenuChoices.empty()) return 0;
    UINT const choice = MenuChoices.front();
    MenuChoices.pop_front();
    // As in the real menu loop, only an enabled item of the menu can be chosen.
    UINT const state = GetMenuState(menu, choice, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED))) return 0;
    return static_cast<BOOL>(choice);
  }

  BOOL SaveFileDialog(OPENFILENAMEW& dialog) override {
    std::wstring filters;
    for (const wchar_t* p = dialog.lpstrFilter; p && *p; p += wcslen(p) + 1) filters.append(p, wcslen(p) + 1);
    const auto text = [](const wchar_t* t) { return std::wstring(t ? t : L""); };
    SaveDialogs.push_back({dialog.hwndOwner, text(dialog.lpstrTitle), filters, dialog.nFilterIndex,
                           text(dialog.lpstrDefExt), text(dialog.lpstrInitialDir), dialog.Flags, dialog.nMaxFile});
    if (SaveFileNames.empty() || !dialog.lpstrFile || SaveFileNames.front().size() >= dialog.nMaxFile) return FALSE;
    const std::wstring name = SaveFileNames.front();
    SaveFileNames.pop_front();
    if ((dialog.Flags & OFN_OVERWRITEPROMPT) && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES &&
        MessageBox(dialog.hwndOwner, (name + L" already exists.\nDo you want to replace it?").c_str(),
                   text(dialog.lpstrTitle).c_str(), MB_YESNO | MB_ICONWARNING) != IDYES)
      return FALSE;
    wcscpy(dialog.lpstrFile, name.c_str());
    return TRUE;
  }

 private:
  OWL::TModalSeam* mPrevious;
};
