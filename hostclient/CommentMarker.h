// The mark of a comment in the recording view: its rectangle at a device's resolution and the
// drawer that paints the text, the marker line and the mark.
#pragma once

#include "hostapi/ScrivoComment.h"

#include <windows.h>

namespace OWL {
class TDC;
}

namespace ScrivoClient {

// The mark for x and the top firstY at dpi (LOGPIXELSY): half = trunc(3 x max(1, dpi / 96));
// the rectangle excludes its right and bottom edges.
RECT CommentMarkerRect(int dpi, int x, int firstY) noexcept;
// The same at the DC's vertical resolution.
RECT CommentMarkerRect(const OWL::TDC& dc, int x, int firstY) noexcept;
// True when point lies on the mark (right and bottom edges excluded).
bool CommentMarkerHit(const RECT& marker, POINT point) noexcept;

struct CommentLook {
  COLORREF markerColour;
  const wchar_t* text;   // may be null
  uint32_t commentFlags; // text is drawn only when nonzero
};

// Paints the comment at `at` into target (reference is the DC the view lays out for: the same
// DC on screen, the screen's when printing) and leaves the DC's objects, colours and alignment
// as found.
void DrawCommentMark(OWL::TDC& target, const OWL::TDC& reference, const CommentDrawPosition& at,
                     const CommentLook& look);

}  // namespace ScrivoClient
