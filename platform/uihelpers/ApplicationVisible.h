// Whether the host application shows itself: windows that pop up on their own (hover tips) stay
// hidden while it runs hidden.
#pragma once

namespace QOR {

// The host's setting "qor\application\visible", read through the host's settings service (kept
// once found); true when the service or the setting cannot be read, or is no switch.
bool IsApplicationVisible() noexcept;

}  // namespace QOR
