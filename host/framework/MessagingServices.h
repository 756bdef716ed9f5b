// The framework's message service and message router: process-wide objects
// in the framework's service table.
#pragma once

#include "hostapi/MessageService.h"

namespace lumo {

// Each answers the one object of the process; it keeps no count (it lives as long as the
// framework library is loaded).
IMessageService* FrameworkMessageService() noexcept;
IMessageRouter* FrameworkMessageRouter() noexcept;

}  // namespace lumo
