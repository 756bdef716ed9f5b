// LumoEventHandlerBase: the dispatch of commands, observer events and messages through a
// class's event table and its base classes' tables.
#pragma once

#include "hostclient/EventTable.h"

#include <windows.h>

#include <cstdint>

struct ICommandState;
struct IMessage;
struct IObserver;
struct IObserverSubscription;

class LumoEventHandlerBase {
 public:
  // The entry the trigger matches in this class's table or, failing that, a base table;
  // *owner becomes the object the matching table belongs to (null when none matched).
  virtual const EventTableEntry* FindEntry(const EventTrigger& trigger, void** owner) noexcept;
  // Applies action to this class's table, then each base table (derived first).
  virtual void ForEachEntry(TableEntryAction& action) noexcept;
  // 1 when an entry consumed the message (its handler answered 0), else 0.
  int32_t HandleMessage(IMessage* message);

  // S_OK when an entry ran (whatever its handler did), S_FALSE when none.
  HRESULT ExecuteCommand(uint32_t commandId);
  // S_OK from a state entry or, without one, a command entry (which enables the command);
  // S_FALSE when neither exists (state untouched).
  HRESULT QueryCommandState(uint32_t commandId, ICommandState* state);
  // The dispatcher's result for an entry of the given kind, S_FALSE without one.
  HRESULT ExecuteCommandArgs(uint32_t commandId, uint32_t kind, uintptr_t argument1,
                             uintptr_t argument2);
  // Runs the observer entry for eventId, if any; S_OK either way.
  HRESULT NotifyObserverEvent(uint32_t eventId, const void* data);
  // Attaches observer to every observer event of the tables; S_OK.
  HRESULT RegisterObserverEvents(IObserverSubscription* subscription, IObserver* observer);

  // The flags of the message being handled.
  uint32_t CurrentMessageFlags() const noexcept { return mMessageFlags; }

 protected:
  LumoEventHandlerBase() noexcept = default;
  ~LumoEventHandlerBase() = default;

  // FindEntry of a class T over Base: T's table first, then Base::FindEntry.
  template <class T, class Base>
  static const EventTableEntry* FindEntryChained(T* self, EventTableEntry* table,
                                                 const EventTrigger& trigger,
                                                 void** owner) noexcept {
    if (const EventTableEntry* entry = FindTableEntry(table, trigger)) {
      *owner = static_cast<void*>(self);
      return entry;
    }
    return self->Base::FindEntry(trigger, owner);
  }
  template <class T, class Base>
  static void ForEachEntryChained(T* self, EventTableEntry* table,
                                  TableEntryAction& action) noexcept {
    ApplyToTableEntries(table, action);
    self->Base::ForEachEntry(action);
  }

 private:
  uint32_t mMessageFlags = 0;
};

// In a class with an event table: declares the table and the two lookups.
#define LUMO_DECLARE_EVENT_TABLE()                                                           \
  static EventTableEntry sEventTable[];                                                      \
  const EventTableEntry* FindEntry(const EventTrigger& trigger, void** owner) noexcept      \
      override;                                                                              \
  void ForEachEntry(TableEntryAction& action) noexcept override

// At namespace scope: defines the lookups of Class over Base and opens its table, which
// the caller fills with EventTableHead(), entries, EventTableEnd() and closes with "};".
#define LUMO_DEFINE_EVENT_TABLE(Class, Base)                                                 \
  const EventTableEntry* Class::FindEntry(const EventTrigger& trigger, void** owner) noexcept \
  {                                                                                          \
    return FindEntryChained<Class, Base>(this, sEventTable, trigger, owner);                 \
  }                                                                                          \
  void Class::ForEachEntry(TableEntryAction& action) noexcept {                              \
    ForEachEntryChained<Class, Base>(this, sEventTable, action);                             \
  }                                                                                          \
  EventTableEntry Class::sEventTable[] =
