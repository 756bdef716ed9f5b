// LumoEventHandlerBase: command, observer and message dispatch through the event tables.
#include "hostclient/LumoEventHandlerBase.h"

#include "hostapi/Message.h"
#include "hostapi/MessageHandler.h"


namespace {

// Attaches the observer to the id of every observer entry.
class RegisterAction final : public TableEntryAction {
 public:
  RegisterAction(IObserverSubscription* subscription, IObserver* observer) noexcept
      : mSubscription(subscription), mObserver(observer) {}
  void Apply(const EventTableEntry& entry) noexcept override {
    if (entry.kind != kEventObserver) return;
    // A failed attachment leaves that event unobserved; the others still register.
    mSubscription->AttachObserver(mObserver, static_cast<uint32_t>(entry.id), 0);
  }

 private:
  IObserverSubscription* mSubscription;
  IObserver* mObserver;
};

}  // namespace

const EventTableEntry* LumoEventHandlerBase::FindEntry(const EventTrigger&,
                                                       void** owner) noexcept {
  *owner = nullptr;
  return nullptr;
}

void LumoEventHandlerBase::ForEachEntry(TableEntryAction&) noexcept {}

HRESULT LumoEventHandlerBase::ExecuteCommand(uint32_t commandId) {
  void* owner = nullptr;
  const EventTableEntry* entry = FindEntry(CommandTrigger(commandId, kEventCommand), &owner);
  if (!entry) return S_FALSE;
  EventDispatchArgs args;
  args.commandId = commandId;
  // What the handler reports does not change the answer: the command was handled here.
  entry->dispatcher(*entry, owner, args);
  return S_OK;
}

HRESULT LumoEventHandlerBase::QueryCommandState(uint32_t commandId, ICommandState* state) {
  void* owner = nullptr;
  if (const EventTableEntry* entry =
          FindEntry(CommandTrigger(commandId, kEventCommandState), &owner)) {
    EventDispatchArgs args;
    args.commandId = commandId;
    args.argument1 = reinterpret_cast<uintptr_t>(state);
    entry->dispatcher(*entry, owner, args);
    return S_OK;
  }
  if (!FindEntry(CommandTrigger(commandId, kEventCommand), &owner)) return S_FALSE;
  // A command that can be executed but has no state handler is enabled.
  if (state) state->SetEnabled(VARIANT_TRUE);
  return S_OK;
}

HRESULT LumoEventHandlerBase::ExecuteCommandArgs(uint32_t commandId, uint32_t kind,
                                                 uintptr_t argument1, uintptr_t argument2) {
  void* owner = nullptr;
  const EventTableEntry* entry =
      FindEntry(CommandTrigger(commandId, static_cast<uint8_t>(kind)), &owner);
  if (!entry) return S_FALSE;
  EventDispatchArgs args;
  args.commandId = commandId;
  args.argument1 = argument1;
  args.argument2 = argument2;
  return entry->dispatcher(*entry, owner, args);
}

HRESULT LumoEventHandlerBase::NotifyObserverEvent(uint32_t eventId, const void* data) {
  void* owner = nullptr;
  const EventTableEntry* entry = FindEntry(ObserverEventTrigger(eventId), &owner);
  if (!entry) return S_OK;
  EventDispatchArgs args;
  args.data = data;
  entry->dispatcher(*entry, owner, args);
  return S_OK;
}

HRESULT LumoEventHandlerBase::RegisterObserverEvents(IObserverSubscription* subscription,
                                                     IObserver* observer) {
  if (!subscription) return E_POINTER;
  RegisterAction action(subscription, observer);
  ForEachEntry(action);
  return S_OK;
}

int32_t LumoEventHandlerBase::HandleMessage(IMessage* message) {
  if (!message) return kMessageNotConsumed;
  uint32_t id = 0;
  uint32_t flags = 0;
  message->GetId(&id);
  message->GetFlags(&flags);
  mMessageFlags = flags;
  void* owner = nullptr;
  const EventTableEntry* entry = FindEntry(MsgEventTrigger(id, flags), &owner);
  if (!entry) return kMessageNotConsumed;
  EventDispatchArgs args;
  args.message = message;
  const HRESULT handled = entry->dispatcher(*entry, owner, args);
  return handled == 0 ? kMessageConsumed : kMessageNotConsumed;
}
