// ZR::NumberTextError: what the dialog says of an edit whose text is no number at all, before
// any range: that a number is needed, or that the text is not one in the user's notation.
#pragma once

#include "document/SettingTexts.h"

#include <string>

namespace ZR {

// The caption and message for an empty edit.
Doc::MessageAndCaption NumberNeededError();
// The caption and message for a text that is no number: it quotes the text (at most 40
// characters) and names the user's decimal separator.
Doc::MessageAndCaption NotANumberError(const std::wstring& text, wchar_t decimalSeparator);

}  // namespace ZR
