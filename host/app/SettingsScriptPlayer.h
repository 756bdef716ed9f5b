// Plays a settings dialog script on the module's real settings dialog while its modal loop runs:
// a thread timer of the host looks for the dialog and plays one step a tick, acting on the
// dialog's controls the way a user's keys and clicks do. A step that cannot be done ends the
// script: the dialog is cancelled and Failure() names the step.
#pragma once

#include "host/app/SettingsScript.h"

#include <windows.h>
#include <unknwn.h>

#include <string>

namespace ondara_host {

class SettingsScriptPlayer {
 public:
  explicit SettingsScriptPlayer(SettingsScript script);
  ~SettingsScriptPlayer();
  SettingsScriptPlayer(const SettingsScriptPlayer&) = delete;
  SettingsScriptPlayer& operator=(const SettingsScriptPlayer&) = delete;

  // Starts the timer; the steps play once the dialog is open. Stop ends them.
  void Start();
  void Stop();

  // One line naming the step that could not be done; empty while all went well.
  const std::string& Failure() const noexcept { return mFailure; }
  // Steps played so far.
  size_t Played() const noexcept { return mNext; }

  // One tick: watches for windows that block the dialog, then plays the next step. Public for
  // the timer procedure.
  void Tick();

 private:
  // Plays step on dialog; false with the reason when it cannot be done.
  bool Play(HWND dialog, const SettingsStep& step, std::string& reason);
  void Fail(const std::string& reason);

  SettingsScript mScript;
  size_t mNext = 0;
  bool mInStep = false;
  bool mEnded = false;
  std::string mFailure;
  UINT_PTR mTimer = 0;
};

// The module's settings dialog among this thread's windows; null when it is not open.
HWND FindSettingsDialog();

// Opens the settings dialog of document as its "Settings..." menu command does and plays the
// script at path on it; "-" leaves the dialog to a person. 0 when the dialog ended (OK or
// Cancel); 2 with one line on stderr for a script that cannot be read or a step that cannot
// be done; 1 when the dialog does not open.
int RunSettingsDialogScript(IUnknown* document, const std::wstring& path);

}  // namespace ondara_host
