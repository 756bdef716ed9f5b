// The frame that shrinks towards a comment's mark to draw the eye to it.
#pragma once

#include <windows.h>

namespace ScrivoClient {

enum class FrameShape { Rectangle, Ellipse };

inline constexpr int kAnimationSteps = 10;

// The frame of step (1..kAnimationSteps) between from and to, linearly.
RECT AnimationFrame(const RECT& from, const RECT& to, int step) noexcept;

// Draws the frames inverted on the window DC of window's outermost non-child parent, each shown
// for a tenth of milliseconds and then erased; nothing for a hidden or minimised window.
void AnimateFrame(HWND window, FrameShape shape, const RECT& from, const RECT& to,
                  unsigned milliseconds) noexcept;

}  // namespace ScrivoClient
