// Event-table dispatchers shared by every class: observer events and message arguments.
#include "hostclient/EventTableEntries.h"

#include "hostapi/Message.h"

namespace EventTableDetail {

HRESULT DispatchToInvoker(const EventTableEntry& entry, void* owner, EventDispatchArgs& args) {
  if (!entry.invoker) return E_FAIL;
  return entry.invoker(args.data, owner, entry);
}

HRESULT DispatchMessageArgument(const EventTableEntry& entry, void* owner,
                                EventDispatchArgs& args) {
  if (!entry.invoker || !args.message) return E_FAIL;
  uint32_t value = 0;
  args.message->GetArgument(&value);
  return entry.invoker(&value, owner, entry);
}

}  // namespace EventTableDetail
