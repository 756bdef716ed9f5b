// CommentPopup: the small window a comment shows under the pointer: its mark, the time line and
// the comment's text; the host holds it through ICommentPopupWindow.
#pragma once

#include "hostapi/ScrivoComment.h"

#include <windows.h>

namespace ScrivoClient {

inline constexpr int kPopupCharsPerLine = 40;
inline constexpr int kPopupMaxLines = 7;
inline constexpr int kPopupMargin = 7;
inline constexpr int kPopupEdgeGap = 10;

// Lines of the text box for a text of `length` units: one per 40, at least 1, at most 7.
int CommentPopupLines(int length) noexcept;

// The popup's top-left corner: left of the work area's right edge by 10 and no further right
// than the anchor; above the anchor, or below the marker when that would come within 10 of the
// work area's top.
POINT PlaceCommentPopup(POINT anchor, SIZE size, int markerHeight, const RECT& workArea) noexcept;

struct CommentPopupLayout {
  SIZE window;     // outer size, border included
  RECT timeLine;   // client coordinates
  RECT textBox;
  POINT marker;    // the mark's x and top
};
// The layout for a font of charWidth x lineHeight and the comment's text length.
CommentPopupLayout LayoutCommentPopup(int charWidth, int lineHeight, int markerSize,
                                      int textLength) noexcept;

// Creates and shows (without activating) a popup for comment, anchored at `anchor` in screen
// coordinates above a mark of markerHeight; *popup receives it with one reference.
HRESULT CreateCommentPopup(HWND window, POINT anchor, IScrivoCommentEx* comment, int markerHeight,
                           ICommentPopupWindow** popup) noexcept;

}  // namespace ScrivoClient
