// The framework's observer registry: the stand-in's own attach and detach, for the services that notify observers.
#pragma once

#include "hostapi/MessageHandler.h"

#include <cstdint>

namespace lumo {

// Detaches observer from every event; false when it was attached to none.
bool DetachAll(IObserver* observer) noexcept;

}  // namespace lumo
