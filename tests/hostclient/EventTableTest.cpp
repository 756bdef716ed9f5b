// Event tables: lookup, resolution, chaining and the dispatch rules of commands and messages.
#include "hostclient/EventTable.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/LumoEventHandlerBase.h"

#include "hostapi/MessageHandler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int gGetterCalls = 0;
template <uint32_t Id>
uint32_t* GetId(uint32_t* out) {
  ++gGetterCalls;
  *out = Id;
  return out;
}

// Counts SetEnabled calls; the other operations are not used by the dispatch.
class FakeState final : public ICommandState {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SetChecked(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetEnabled(VARIANT_BOOL enabled) override {
    enabledCalls.push_back(enabled);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t*) override { return S_OK; }
  std::vector<VARIANT_BOOL> enabledCalls;
};

class FakeMessage final : public IMessage {
 public:
  FakeMessage(uint32_t id, uint32_t flags) : mId(id), mFlags(flags) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(uint32_t*, uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE HasArgument(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetReserved(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) override {
    *id = mId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) override {
    *flags = mFlags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDeliveryCount(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetArgument(uint32_t* value) override {
    *value = 42;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSender(const void*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsFromSender(const void*, VARIANT_BOOL* from) override {
    *from = VARIANT_FALSE;
    return S_OK;
  }

 private:
  uint32_t mId;
  uint32_t mFlags;
};

class BaseHandler : public LumoEventHandlerBase {
 public:
  LUMO_DECLARE_EVENT_TABLE();
  void OnBaseCommand() { calls.push_back("base 0x10"); }
  void OnShared() { calls.push_back("base shared"); }
  std::vector<const char*> calls;
};

LUMO_DEFINE_EVENT_TABLE(BaseHandler, LumoEventHandlerBase){
    EventTableHead(),
    CommandEntry(&GetId<0x10>, &BaseHandler::OnBaseCommand),
    CommandEntry(&GetId<0x30>, &BaseHandler::OnShared),
    EventTableEnd(),
};

class DerivedHandler : public BaseHandler {
 public:
  LUMO_DECLARE_EVENT_TABLE();
  void OnFirst() { calls.push_back("first"); }
  void OnSecond() { calls.push_back("second"); }
  void OnShared() { calls.push_back("derived shared"); }
  void OnState(ICommandState*& state) {
    calls.push_back("state");
    state->SetChecked(VARIANT_TRUE);
  }
  void OnEvent(uint32_t a, uint32_t b) { words = {a, b}; }
  int OnMessage() {
    calls.push_back("message");
    return messageResult;
  }
  int OnClassMessage(uint32_t value) {
    argument = value;
    return 0;
  }
  HRESULT OnArgs(uint32_t id, uintptr_t a, uintptr_t b) {
    words = {id, static_cast<uint32_t>(a), static_cast<uint32_t>(b)};
    return 0x1234;
  }
  std::vector<uint32_t> words;
  int messageResult = 0;
  uint32_t argument = 0;
};

LUMO_DEFINE_EVENT_TABLE(DerivedHandler, BaseHandler){
    EventTableHead(),
    CommandRangeEntry(&GetId<0x20>, &GetId<0x24>, &DerivedHandler::OnFirst),
    CommandRangeEntry(&GetId<0x22>, &GetId<0x28>, &DerivedHandler::OnSecond),
    CommandRangeEntry(&GetId<0x40>, &GetId<0x40>, &DerivedHandler::OnSecond),
    CommandEntry(&GetId<0x30>, &DerivedHandler::OnShared),
    CommandStateEntry(&GetId<0x20>, &DerivedHandler::OnState),
    ObserverEntry(&GetId<0x80000000>, &DerivedHandler::OnEvent),
    CommandArgsEntry(kEventCommandArgs6, &GetId<0x50>, &DerivedHandler::OnArgs),
    MessageEntry(&GetId<0x00070003>, kMessageMaskWholeId, &DerivedHandler::OnMessage),
    MessageArgumentEntry(&GetId<0x00090000>, kMessageMaskClassOnly,
                         &DerivedHandler::OnClassMessage),
    EventTableEnd(),
};

TEST(EventTable, ResolvesIdsOnceOnFirstLookup) {
  EventTableEntry table[] = {EventTableHead(),
                             CommandEntry(&GetId<7>, &BaseHandler::OnBaseCommand),
                             EventTableEnd()};
  gGetterCalls = 0;
  EXPECT_NE(FindTableEntry(table, CommandTrigger(7, kEventCommand)), nullptr);
  EXPECT_EQ(gGetterCalls, 1);
  EXPECT_EQ(table[1].id, 7u);
  EXPECT_EQ(table[0].flags & kEventTableUnresolved, 0);
  EXPECT_EQ(FindTableEntry(table, CommandTrigger(7, kEventCommandState)), nullptr);
  EXPECT_EQ(gGetterCalls, 1);
}

TEST(EventTable, RangesAndPrecedence) {
  DerivedHandler handler;
  // Ranges are half-open; the earlier of two matching entries wins; an empty range never
  // matches; the derived table wins over the base table; the base table is still searched.
  const struct {
    uint32_t id;
    HRESULT result;
    const char* call;
  } cases[] = {{0x20, S_OK, "first"},       {0x23, S_OK, "first"},
               {0x24, S_OK, "second"},      {0x27, S_OK, "second"},
               {0x28, S_FALSE, nullptr},    {0x40, S_FALSE, nullptr},
               {0x30, S_OK, "derived shared"}, {0x10, S_OK, "base 0x10"}};
  for (const auto& c : cases) {
    handler.calls.clear();
    EXPECT_EQ(handler.ExecuteCommand(c.id), c.result) << std::hex << c.id;
    if (c.call) {
      ASSERT_EQ(handler.calls.size(), 1u) << std::hex << c.id;
      EXPECT_STREQ(handler.calls[0], c.call) << std::hex << c.id;
    } else {
      EXPECT_TRUE(handler.calls.empty()) << std::hex << c.id;
    }
  }
}

TEST(EventTable, ArgumentCommandsAnswerTheHandlersResult) {
  DerivedHandler handler;
  // The kinds-6/7 path returns the handler's own result.
  EXPECT_EQ(handler.ExecuteCommandArgs(0x50, kEventCommandArgs6, 5, 6), 0x1234);
  EXPECT_EQ(handler.words, (std::vector<uint32_t>{0x50, 5, 6}));
  EXPECT_EQ(handler.ExecuteCommandArgs(0x50, kEventCommandArgs7, 5, 6), S_FALSE);
}

TEST(EventTable, CommandStateRules) {
  DerivedHandler handler;
  FakeState state;
  // A state entry is called with the state object.
  EXPECT_EQ(handler.QueryCommandState(0x20, &state), S_OK);
  EXPECT_EQ(handler.calls, (std::vector<const char*>{"state"}));
  EXPECT_TRUE(state.enabledCalls.empty());
  // Only an execute entry (here in the base table): enabled.
  EXPECT_EQ(handler.QueryCommandState(0x10, &state), S_OK);
  EXPECT_EQ(state.enabledCalls, (std::vector<VARIANT_BOOL>{VARIANT_TRUE}));
  // Neither: S_FALSE and the state object is left alone.
  EXPECT_EQ(handler.QueryCommandState(0x99, &state), S_FALSE);
  EXPECT_EQ(state.enabledCalls.size(), 1u);
}

TEST(EventTable, ObserverEventsPassTheirWords) {
  DerivedHandler handler;
  const uint32_t words[] = {11, 22};
  EXPECT_EQ(handler.NotifyObserverEvent(0x80000000u, words), S_OK);
  EXPECT_EQ(handler.words, (std::vector<uint32_t>{11, 22}));
  handler.words.clear();
  EXPECT_EQ(handler.NotifyObserverEvent(0x80000001u, words), S_OK);
  EXPECT_TRUE(handler.words.empty());
}

TEST(EventTable, MessageDispatch) {
  DerivedHandler handler;
  FakeMessage exact(0x00070003, 0x8);
  EXPECT_EQ(handler.HandleMessage(&exact), kMessageConsumed);
  EXPECT_EQ(handler.CurrentMessageFlags(), 0x8u);
  // A handler answering nonzero leaves the message to others.
  handler.messageResult = 1;
  EXPECT_EQ(handler.HandleMessage(&exact), kMessageNotConsumed);
  FakeMessage otherNumber(0x00070004, 0);
  EXPECT_EQ(handler.HandleMessage(&otherNumber), kMessageNotConsumed);
  // A class-only entry takes any number of its class and gets the argument.
  FakeMessage anyNumber(0x0009ABCD, 0);
  EXPECT_EQ(handler.HandleMessage(&anyNumber), kMessageConsumed);
  EXPECT_EQ(handler.argument, 42u);
}

}  // namespace
