// Message boxes in a run nobody watches: each is written as one line and answered with its
// default button, as a user pressing Enter would.
#pragma once

#include <windows.h>

#include <cstdio>

namespace host {

// While it lives, every system message box the calling thread opens (the module's or the host's)
// is written to out as one line "CAPTION: TEXT" and answered with its default button. A box
// with the error or warning icon counts as a reported failure. One at a time per thread.
class UnattendedMessageBoxes {
 public:
  explicit UnattendedMessageBoxes(FILE* out);
  ~UnattendedMessageBoxes();
  UnattendedMessageBoxes(const UnattendedMessageBoxes&) = delete;
  UnattendedMessageBoxes& operator=(const UnattendedMessageBoxes&) = delete;

  // A box with the error or warning icon was answered.
  bool FailureSeen() const noexcept;
  int BoxCount() const noexcept;

 private:
  HHOOK mHook = nullptr;
};

}  // namespace host
