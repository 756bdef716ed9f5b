// The screen's resolution, at which the dialogs' own controls are laid out, and sizes given in
// pixels of a 96-dpi screen scaled to it.
#pragma once

namespace QOR {

inline constexpr int kBaseDpi = 96;

// The screen's vertical resolution in dots per inch (96 when it cannot be read).
int ScreenDpi() noexcept;
// pixels at 96 dpi, at dpi.
int ScaleForDpi(int pixels, int dpi) noexcept;
// pixels at dpi, back at 96 dpi (rounded); as they are for a dpi that is not positive.
int UnscaleForDpi(int pixels, int dpi) noexcept;

}  // namespace QOR
