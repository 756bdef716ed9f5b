// Plain objects reached through their proxies: forwarding, the unconnected proxy and messages
// the object sent itself.
#include "hostclient/LumoCppEventHandler.h"
#include "hostclient/LumoProxyEventHandler.h"

#include "host/app/HostFramework.h"
#include "hostapi/MessageService.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/FrameworkAccess.h"

#include <gtest/gtest.h>

namespace {

uint32_t* GetCommandId(uint32_t* out) noexcept {
  *out = 0x00510002;
  return out;
}

class PlainView final : public LumoCppEventHandler {
 public:
  LUMO_DECLARE_EVENT_TABLE();
  void OnCommand() { ++commands; }
  int OnMessage() {
    ++messages;
    return 0;
  }
  int commands = 0;
  int messages = 0;
};

LUMO_DEFINE_EVENT_TABLE(PlainView, LumoEventHandlerBase){
    EventTableHead(),
    CommandEntry(&GetCommandId, &PlainView::OnCommand),
    MessageEntry(&GetCommandId, kMessageMaskWholeId, &PlainView::OnMessage),
    EventTableEnd(),
};

QOR::ComPtr<IMessage> NewMessage(uint32_t flags) {
  QOR::ComPtr<IMessage> message;
  GetMessageService()->CreateMessage(0x00510002, flags, 0, 0, 0, nullptr, message.Out());
  return message;
}

class ProxyEventHandler : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK); }
};

TEST_F(ProxyEventHandler, ForwardsToTheConnectedObject) {
  PlainView view;
  auto* const proxy = static_cast<LumoProxyEventHandler*>(view.Proxy());
  ASSERT_NE(proxy, nullptr);
  EXPECT_EQ(proxy->Connected(), &view);
  EXPECT_EQ(proxy->Execute(0x00510002), S_OK);
  EXPECT_EQ(proxy->Execute(0x00510003), S_FALSE);
  EXPECT_EQ(view.commands, 1);
  auto message = NewMessage(0);
  EXPECT_EQ(proxy->HandleMessage(message.Get()), kMessageConsumed);
  EXPECT_EQ(view.messages, 1);
}

TEST_F(ProxyEventHandler, UnconnectedProxyAnswersOk) {
  PlainView view;
  QOR::ComPtr<LumoProxyEventHandler> proxy(static_cast<LumoProxyEventHandler*>(view.Proxy()));
  view.DetachProxy();
  EXPECT_EQ(proxy->Connected(), nullptr);
  EXPECT_EQ(proxy->Execute(0x00510002), S_OK);
  EXPECT_EQ(proxy->QueryState(0x00510002, nullptr), S_OK);
  EXPECT_EQ(proxy->Notify(0, 1, 0, nullptr), S_OK);
  EXPECT_EQ(proxy->RegisterWith(nullptr), S_FALSE);
  EXPECT_EQ(view.commands, 0);
}

TEST_F(ProxyEventHandler, ObjectDoesNotGetBackWhatItSentNotToSender) {
  PlainView view;
  IMessageHandler* const target = view.Proxy();
  auto flagged = NewMessage(kMessageFlagNotToSender);
  EXPECT_EQ(view.Send(flagged.Get(), target), S_FALSE);
  EXPECT_EQ(view.messages, 0);
  auto plain = NewMessage(0);
  EXPECT_EQ(view.Send(plain.Get(), target), S_OK);
  EXPECT_EQ(view.messages, 1);
}

}  // namespace
