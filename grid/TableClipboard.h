// The table text on the clipboard: two sections' blocks joined, put there as Unicode text.
#pragma once

#include <windows.h>

#include <string>

// The main block, a lone LF when both blocks hold text, then the summary block: each block's rows
// end in CR LF, so the summary follows "CR LF LF".
std::wstring JoinTableBlocks(const std::wstring& main, const std::wstring& summary);

enum class ClipboardCopy { Done, Busy, NoMemory };

// Replaces the clipboard's content with text as CF_UNICODETEXT, owned by owner. Busy when the
// clipboard cannot be opened; the memory block is freed when the clipboard does not take it.
ClipboardCopy CopyTextToClipboard(HWND owner, const std::wstring& text) noexcept;
