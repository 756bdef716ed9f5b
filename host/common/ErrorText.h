// The thread's COM error information as a text: the words a failed call leaves for its caller.
#pragma once

#include <string>

namespace host {

// Sets the thread's error info to text, so that a caller's GetErrorInfo finds it.
void SetErrorText(const std::wstring& text);

// The description of the thread's error info (and clears it); empty when there is none.
std::wstring TakeErrorText();

}  // namespace host
