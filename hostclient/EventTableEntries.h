// Builders of event-table entries for a class T: each stores the member function by bytes
// and pairs it with the dispatcher (and argument invoker) of its shape.
#pragma once

#include "hostclient/EventTable.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <utility>

struct ICommandState;

namespace EventTableDetail {

template <class M>
void StoreHandler(EventTableEntry& entry, M handler) noexcept {
  static_assert(sizeof(M) <= sizeof(entry.handler), "member pointer fits the handler words");
  std::memcpy(entry.handler, &handler, sizeof(M));
}

template <class M>
M LoadHandler(const EventTableEntry& entry) noexcept {
  M handler;
  std::memcpy(&handler, entry.handler, sizeof(M));
  return handler;
}

inline EventTableEntry MakeEntry(uint8_t kind, uint16_t mode, EventIdGetter id,
                                 EventIdGetter rangeEnd, EventDispatcher dispatcher,
                                 EventArgumentInvoker invoker) noexcept {
  EventTableEntry entry{};
  entry.kind = kind;
  entry.mode = mode;
  entry.id = reinterpret_cast<uintptr_t>(id);
  entry.rangeEnd = reinterpret_cast<uintptr_t>(rangeEnd);
  entry.dispatcher = dispatcher;
  entry.invoker = invoker;
  return entry;
}

// Command (kind 2): the handler takes nothing; the dispatch always succeeds.
template <class T>
HRESULT DispatchCommand(const EventTableEntry& entry, void* owner, EventDispatchArgs&) {
  const auto handler = LoadHandler<void (T::*)()>(entry);
  (static_cast<T*>(owner)->*handler)();
  return S_OK;
}

// Command state (kind 3): the handler gets a reference to a copy of the state pointer.
template <class T>
HRESULT DispatchByReference(const EventTableEntry& entry, void* owner, EventDispatchArgs& args) {
  const auto handler = LoadHandler<void (T::*)(ICommandState*&)>(entry);
  ICommandState* state = reinterpret_cast<ICommandState*>(args.argument1);
  (static_cast<T*>(owner)->*handler)(state);
  return S_OK;
}

// Kinds 6 and 7: the handler gets the id and both arguments; its result is the answer.
template <class T>
HRESULT DispatchCommandArgs(const EventTableEntry& entry, void* owner, EventDispatchArgs& args) {
  const auto handler = LoadHandler<HRESULT (T::*)(uint32_t, uintptr_t, uintptr_t)>(entry);
  return (static_cast<T*>(owner)->*handler)(args.commandId, args.argument1, args.argument2);
}

// Message without argument (kind 5): the handler's int is the dispatch result.
template <class T>
HRESULT DispatchMessageNoArgument(const EventTableEntry& entry, void* owner, EventDispatchArgs&) {
  const auto handler = LoadHandler<int (T::*)()>(entry);
  return (static_cast<T*>(owner)->*handler)();
}

// Observer event (kind 4): the invoker unpacks the data.
HRESULT DispatchToInvoker(const EventTableEntry& entry, void* owner, EventDispatchArgs& args);
// Message with argument (kind 5): the invoker gets the message's argument value.
HRESULT DispatchMessageArgument(const EventTableEntry& entry, void* owner,
                                EventDispatchArgs& args);

template <class T, class... Words, size_t... I>
void CallWithWords(T* object, void (T::*handler)(Words...), const uint32_t* words,
                   std::index_sequence<I...>) {
  (object->*handler)(words[I]...);
}

// Observer handlers take their event's argument words (none to nine) one by one.
template <class T, class... Words>
HRESULT InvokeObserver(const void* data, void* owner, const EventTableEntry& entry) {
  using Handler = void (T::*)(Words...);
  const auto handler = LoadHandler<Handler>(entry);
  if (sizeof...(Words) > 0 && !data) return E_POINTER;
  const auto* words = static_cast<const uint32_t*>(data);
  CallWithWords(static_cast<T*>(owner), handler, words, std::index_sequence_for<Words...>{});
  return S_OK;
}

template <class T>
HRESULT InvokeMessageArgument(const void* argument, void* owner, const EventTableEntry& entry) {
  const auto handler = LoadHandler<int (T::*)(uint32_t)>(entry);
  return (static_cast<T*>(owner)->*handler)(*static_cast<const uint32_t*>(argument));
}

}  // namespace EventTableDetail

inline EventTableEntry EventTableHead() noexcept {
  EventTableEntry entry{};
  entry.kind = kEventHead;
  entry.flags = kEventTableUnresolved;
  return entry;
}

inline EventTableEntry EventTableEnd() noexcept { return EventTableEntry{}; }

template <class T>
EventTableEntry CommandEntry(EventIdGetter id, void (T::*handler)()) {
  auto entry = EventTableDetail::MakeEntry(kEventCommand, kEventSingleId, id, nullptr,
                                           &EventTableDetail::DispatchCommand<T>, nullptr);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

// Commands first <= id < end.
template <class T>
EventTableEntry CommandRangeEntry(EventIdGetter first, EventIdGetter end, void (T::*handler)()) {
  auto entry = EventTableDetail::MakeEntry(kEventCommand, kEventIdRange, first, end,
                                           &EventTableDetail::DispatchCommand<T>, nullptr);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

template <class T>
EventTableEntry CommandStateEntry(EventIdGetter id, void (T::*handler)(ICommandState*&)) {
  auto entry = EventTableDetail::MakeEntry(kEventCommandState, kEventSingleId, id, nullptr,
                                           &EventTableDetail::DispatchByReference<T>, nullptr);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

// kind is kEventCommandArgs6 or kEventCommandArgs7.
template <class T>
EventTableEntry CommandArgsEntry(uint8_t kind, EventIdGetter id,
                                 HRESULT (T::*handler)(uint32_t, uintptr_t, uintptr_t)) {
  auto entry = EventTableDetail::MakeEntry(kind, kEventSingleId, id, nullptr,
                                           &EventTableDetail::DispatchCommandArgs<T>, nullptr);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

template <class T, class... Words>
EventTableEntry ObserverEntry(EventIdGetter id, void (T::*handler)(Words...)) {
  static_assert(sizeof...(Words) <= 9, "observer events carry at most nine words");
  auto entry = EventTableDetail::MakeEntry(kEventObserver, 0, id, nullptr,
                                           &EventTableDetail::DispatchToInvoker,
                                           &EventTableDetail::InvokeObserver<T, Words...>);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

// A handler result of 0 consumes the message.
template <class T>
EventTableEntry MessageEntry(EventIdGetter id, uint16_t mask, int (T::*handler)()) {
  auto entry = EventTableDetail::MakeEntry(kEventMessage, mask, id, nullptr,
                                           &EventTableDetail::DispatchMessageNoArgument<T>,
                                           nullptr);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}

template <class T>
EventTableEntry MessageArgumentEntry(EventIdGetter id, uint16_t mask,
                                     int (T::*handler)(uint32_t)) {
  auto entry = EventTableDetail::MakeEntry(kEventMessage, mask, id, nullptr,
                                           &EventTableDetail::DispatchMessageArgument,
                                           &EventTableDetail::InvokeMessageArgument<T>);
  EventTableDetail::StoreHandler(entry, handler);
  return entry;
}
