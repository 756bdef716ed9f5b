// The framework's observer registry: the stand-in's own attach and detach, for the services that notify observers.
#pragma once

#include "hostapi/MessageHandler.h"

#include <cstdint>

namespace lumo {

// Attaches observer (borrowed) to eventId.
HRESULT AttachObserver(IObserver* observer, uint32_t eventId) noexcept;
// Detaches observer from every event; false when it was attached to none.
bool DetachAll(IObserver* observer) noexcept;
// How many attachments observer has.
uint32_t AttachmentCount(IObserver* observer) noexcept;

}  // namespace lumo
