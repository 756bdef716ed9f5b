// Event tables: resolution, matching and lookup.
#include "hostclient/EventTable.h"

namespace {

uint32_t CallGetter(uintptr_t getterAddress) noexcept {
  const auto getter = reinterpret_cast<EventIdGetter>(getterAddress);
  if (!getter) return 0;
  uint32_t id = 0;
  return *getter(&id);
}

// Resolves every entry once: the head's flag says whether it has been done.
void ResolveTable(EventTableEntry* table) noexcept {
  if (!(table[0].flags & kEventTableUnresolved)) return;
  for (EventTableEntry* entry = table; entry->kind != kEventEnd; ++entry) ResolveTableEntry(*entry);
  table[0].flags = static_cast<uint8_t>(table[0].flags & ~kEventTableUnresolved);
}

}  // namespace

bool CommandTrigger::Matches(const EventTableEntry& entry) const noexcept {
  if (entry.mode == kEventSingleId) return entry.id == mId;
  if (entry.mode == kEventIdRange) return entry.id <= mId && mId < entry.rangeEnd;
  return false;
}

bool ObserverEventTrigger::Matches(const EventTableEntry& entry) const noexcept {
  return entry.id == mEventId;
}

bool MsgEventTrigger::Matches(const EventTableEntry& entry) const noexcept {
  const uint32_t mask = 0xFFFF0000u | entry.mode;
  return (static_cast<uint32_t>(entry.id) & mask) == (mMessageId & mask);
}

void ResolveTableEntry(EventTableEntry& entry) noexcept {
  switch (entry.kind) {
    case kEventCommand:
    case kEventCommandState:
    case kEventCommandArgs6:
    case kEventCommandArgs7:
      entry.id = CallGetter(entry.id);
      if (entry.mode == kEventIdRange) entry.rangeEnd = CallGetter(entry.rangeEnd);
      break;
    case kEventObserver:
    case kEventMessage:
      entry.id = CallGetter(entry.id);
      break;
    default:
      break;
  }
}

const EventTableEntry* FindTableEntry(EventTableEntry* table,
                                      const EventTrigger& trigger) noexcept {
  if (!table) return nullptr;
  ResolveTable(table);
  const uint8_t kind = trigger.Kind();
  for (const EventTableEntry* entry = table; entry->kind != kEventEnd; ++entry) {
    if (entry->kind == kind && trigger.Matches(*entry)) return entry;
  }
  return nullptr;
}

void ApplyToTableEntries(EventTableEntry* table, TableEntryAction& action) noexcept {
  if (!table) return;
  ResolveTable(table);
  for (const EventTableEntry* entry = table; entry->kind != kEventEnd; ++entry) action.Apply(*entry);
}
