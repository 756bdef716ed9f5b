// The thread's COM error information set to a text: the words a failed interface call leaves
// for its caller (GetErrorInfo).
#pragma once

#include "base/String.h"

#include <unknwn.h>

// Replaces the thread's error information by text, raised by the interface source. Without
// memory the caller keeps just the failure.
void SetThreadErrorText(REFIID source, const QOR::String& text) noexcept;

// The description of the thread's error information, which it clears; empty when there is none.
QOR::String TakeThreadErrorText() noexcept;
