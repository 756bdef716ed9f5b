// Event tables: static per-class lists binding commands, notifications and messages to
// member functions, with the triggers that match entries and the one-time id resolution.
#pragma once

#include <windows.h>

#include <cstdint>

struct IMessage;
struct EventTableEntry;

// Entry kinds.
inline constexpr uint8_t kEventEnd = 0;
inline constexpr uint8_t kEventHead = 1;
inline constexpr uint8_t kEventCommand = 2;
inline constexpr uint8_t kEventCommandState = 3;
inline constexpr uint8_t kEventObserver = 4;
inline constexpr uint8_t kEventMessage = 5;
inline constexpr uint8_t kEventCommandArgs6 = 6;
inline constexpr uint8_t kEventCommandArgs7 = 7;

// Head-entry flag: the ids are still getter addresses.
inline constexpr uint8_t kEventTableUnresolved = 2;

// Command entry modes.
inline constexpr uint16_t kEventSingleId = 0;
inline constexpr uint16_t kEventIdRange = 1;
// Message entry masks (low half of the id mask).
inline constexpr uint16_t kMessageMaskWholeId = 0xFFFF;
inline constexpr uint16_t kMessageMaskClassOnly = 0;

// An id getter writes the id into *result and returns result.
using EventIdGetter = uint32_t* (*)(uint32_t* result);

// The getter of an id the host framework fixes.
template <uint32_t Id>
uint32_t* HostFixedId(uint32_t* result) {
  *result = Id;
  return result;
}

// What a dispatcher needs besides the entry and the owning object.
struct EventDispatchArgs {
  uint32_t commandId = 0;
  uintptr_t argument1 = 0;  // command state: the state object; kinds 6, 7: first argument
  uintptr_t argument2 = 0;
  IMessage* message = nullptr;
  const void* data = nullptr;  // observer events: the argument words
};

// Calls the entry's handler on owner (the start of the class that owns the table).
using EventDispatcher = HRESULT (*)(const EventTableEntry& entry, void* owner,
                                    EventDispatchArgs& args);
// Unpacks an event argument and calls the handler: argument is the observer event's data or
// the address of the message's 32-bit argument value.
using EventArgumentInvoker = HRESULT (*)(const void* argument, void* owner,
                                         const EventTableEntry& entry);

// Ten 32-bit words. Before resolution id and rangeEnd hold EventIdGetter addresses.
struct EventTableEntry {
  uint8_t kind;
  uint8_t flags;
  uint16_t mode;
  uintptr_t id;
  uintptr_t rangeEnd;
  uint32_t reserved;
  EventDispatcher dispatcher;
  EventArgumentInvoker invoker;
  uint32_t handler[4];  // the member-function pointer, stored by bytes
};
static_assert(sizeof(void*) != 4 || sizeof(EventTableEntry) == 40, "in 32 bits an event table entry is ten words");

// A trigger knows the kind of entry it looks for and which entries match.
class EventTrigger {
 public:
  virtual uint8_t Kind() const noexcept = 0;
  virtual bool Matches(const EventTableEntry& entry) const noexcept = 0;

 protected:
  ~EventTrigger() = default;
};

// A command of kind 2, 3, 6 or 7: single ids match exactly, ranges are [id, rangeEnd).
class CommandTrigger final : public EventTrigger {
 public:
  CommandTrigger(uint32_t id, uint8_t kind) noexcept : mId(id), mKind(kind) {}
  uint8_t Kind() const noexcept override { return mKind; }
  bool Matches(const EventTableEntry& entry) const noexcept override;

 private:
  uint32_t mId;
  uint8_t mKind;
};

class ObserverEventTrigger final : public EventTrigger {
 public:
  explicit ObserverEventTrigger(uint32_t eventId) noexcept : mEventId(eventId) {}
  uint8_t Kind() const noexcept override { return kEventObserver; }
  bool Matches(const EventTableEntry& entry) const noexcept override;

 private:
  uint32_t mEventId;
};

// Matches when the ids agree under the mask 0xFFFF0000 | entry mode; flags play no part.
class MsgEventTrigger final : public EventTrigger {
 public:
  MsgEventTrigger(uint32_t messageId, uint32_t flags) noexcept
      : mMessageId(messageId), mFlags(flags) {}
  uint8_t Kind() const noexcept override { return kEventMessage; }
  bool Matches(const EventTableEntry& entry) const noexcept override;
  uint32_t Flags() const noexcept { return mFlags; }

 private:
  uint32_t mMessageId;
  uint32_t mFlags;
};

// Applied to every entry of a table, head included.
class TableEntryAction {
 public:
  virtual void Apply(const EventTableEntry& entry) noexcept = 0;

 protected:
  ~TableEntryAction() = default;
};

// Replaces the getter addresses of one entry by the ids they give.
void ResolveTableEntry(EventTableEntry& entry) noexcept;
// The first entry of the trigger's kind that it matches, or null; resolves the table first.
const EventTableEntry* FindTableEntry(EventTableEntry* table, const EventTrigger& trigger) noexcept;
// Calls action on every entry in table order; resolves the table first.
void ApplyToTableEntries(EventTableEntry* table, TableEntryAction& action) noexcept;
