// The framework's message object: id, flags, an optional argument, a data block and the stamp
// of the sender that is delivering it.
#pragma once

#include "hostapi/Message.h"

#include <cstdint>

namespace lumo {

// A new message with one reference for the caller; argument counts only with hasArgument.
HRESULT CreateFrameworkMessage(uint32_t id, uint32_t flags, uint32_t argument,
                               bool hasArgument, uint32_t reserved, const uint32_t* data,
                               IMessage** message) noexcept;

// The same with count values (IMessageValues).
HRESULT CreateFrameworkValueMessage(uint32_t id, uint32_t flags, uint32_t argument, const uint32_t* data,
                                    int32_t count, const double* values, IMessage** message) noexcept;

// Counts one more delivery of a message made by CreateFrameworkMessage (others: no effect).
void NoteMessageDelivered(IMessage* message) noexcept;

}  // namespace lumo
