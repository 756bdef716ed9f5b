// Message handlers and senders: the sub-handler tree, the not-to-sender rule and delivery
// through the framework's router.
#include "hostclient/LumoEventHandler.h"

#include "host/app/HostFramework.h"
#include "hostapi/MessageService.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/FrameworkAccess.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using QOR::ComPtr;

uint32_t* GetWatchedId(uint32_t* out) noexcept {
  *out = 0x00420007;
  return out;
}

// A handler whose table takes message 0x00420007 and records who took it.
class TreeHandler final : public QOR::CComObjectRoot, public LumoEventHandler {
 public:
  explicit TreeHandler(std::vector<TreeHandler*>* log) : mLog(log) {}

  QOR_BEGIN_INTERFACE_MAP(TreeHandler)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()
  LUMO_DECLARE_EVENT_TABLE();

  int OnWatched() {
    mLog->push_back(this);
    return consume ? 0 : 1;
  }
  bool consume = true;

 private:
  std::vector<TreeHandler*>* mLog;
};

LUMO_DEFINE_EVENT_TABLE(TreeHandler, LumoEventHandlerBase){
    EventTableHead(),
    MessageEntry(&GetWatchedId, kMessageMaskWholeId, &TreeHandler::OnWatched),
    EventTableEnd(),
};

// Heap handlers held by the test: one reference each.
ComPtr<TreeHandler> NewHandler(std::vector<TreeHandler*>* log) {
  ComPtr<TreeHandler> handler;
  handler.Attach(new TreeHandler(log));
  handler->AddRef();
  return handler;
}

ComPtr<IMessage> NewMessage(uint32_t id, uint32_t flags) {
  ComPtr<IMessage> message;
  GetMessageService()->CreateMessage(id, flags, 0, 0, 0, nullptr, message.Out());
  return message;
}

class MessageHandlers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK); }
  std::vector<TreeHandler*> log;
};

TEST_F(MessageHandlers, AddAndRemoveSetAndClearTheParent) {
  auto parent = NewHandler(&log);
  auto child = NewHandler(&log);
  ASSERT_EQ(parent->AddHandler(child.Get()), S_OK);
  EXPECT_EQ(child->Parent(), static_cast<IMessageHandler*>(parent.Get()));
  // The child sends under its parent's identity, which it does not reference.
  ComPtr<IUnknown> identity;
  child->GetSenderIdentity(identity.Out());
  EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(static_cast<IMessageHandler*>(parent.Get())));
  EXPECT_EQ(parent->RemoveHandler(child.Get()), S_OK);
  EXPECT_EQ(child->Parent(), nullptr);
  EXPECT_EQ(parent->RemoveHandler(nullptr), S_FALSE);
}

TEST_F(MessageHandlers, RemovingAStrangerLeavesItsParentAlone) {
  auto parent = NewHandler(&log);
  auto other = NewHandler(&log);
  auto child = NewHandler(&log);
  ASSERT_EQ(parent->AddHandler(child.Get()), S_OK);
  EXPECT_EQ(other->RemoveHandler(child.Get()), E_FAIL);
  EXPECT_EQ(child->Parent(), static_cast<IMessageHandler*>(parent.Get()));
  parent->RemoveHandler(child.Get());
}

TEST_F(MessageHandlers, TableFirstThenSubHandlers) {
  auto parent = NewHandler(&log);
  auto first = NewHandler(&log);
  auto second = NewHandler(&log);
  parent->AddHandler(first.Get());
  parent->AddHandler(second.Get());
  auto message = NewMessage(0x00420007, 0);
  EXPECT_EQ(parent->HandleMessage(message.Get()), kMessageConsumed);
  EXPECT_EQ(log, (std::vector<TreeHandler*>{parent.Get()}));
  // A table handler answering nonzero passes the message on to the first sub-handler.
  log.clear();
  parent->consume = false;
  first->consume = false;
  EXPECT_EQ(parent->HandleMessage(message.Get()), kMessageConsumed);
  EXPECT_EQ(log, (std::vector<TreeHandler*>{parent.Get(), first.Get(), second.Get()}));
  // Nothing matches: not consumed.
  auto other = NewHandler(&log);
  auto unknown = NewMessage(0x00420008, 0);
  EXPECT_EQ(other->HandleMessage(unknown.Get()), kMessageNotConsumed);
  parent->RemoveHandler(first.Get());
  parent->RemoveHandler(second.Get());
}

TEST_F(MessageHandlers, NotToSenderMessageGoesToTheOtherSubHandlers) {
  auto parent = NewHandler(&log);
  auto sender = NewHandler(&log);
  auto sibling = NewHandler(&log);
  parent->AddHandler(sender.Get());
  parent->AddHandler(sibling.Get());
  parent->consume = false;
  auto message = NewMessage(0x00420007, kMessageFlagNotToSender);
  // Delivered through the router to the parent, stamped with the sender's part.
  EXPECT_EQ(sender->Send(message.Get(), static_cast<IMessageHandler*>(parent.Get())), S_OK);
  EXPECT_EQ(log, (std::vector<TreeHandler*>{parent.Get(), sibling.Get()}));
  // The stamp is cleared after delivery.
  VARIANT_BOOL fromSender = VARIANT_TRUE;
  message->IsFromSender(sender->SenderStamp(), &fromSender);
  EXPECT_EQ(fromSender, VARIANT_FALSE);
  parent->RemoveHandler(sender.Get());
  parent->RemoveHandler(sibling.Get());
}

TEST_F(MessageHandlers, DisabledSenderFailsWithoutStamping) {
  auto handler = NewHandler(&log);
  auto target = NewHandler(&log);
  auto message = NewMessage(0x00420007, 0);
  handler->EnableSending(false);
  EXPECT_EQ(handler->Send(message.Get(), static_cast<IMessageHandler*>(target.Get())), E_FAIL);
  uint32_t deliveries = 7;
  message->GetDeliveryCount(&deliveries);
  EXPECT_EQ(deliveries, 0u);
  EXPECT_TRUE(log.empty());
}

TEST_F(MessageHandlers, SendFrameworkMessageReachesTheTable) {
  auto sender = NewHandler(&log);
  auto target = NewHandler(&log);
  const FrameworkMessageDesc description = {0x00420007, 0, {0, 0}};
  EXPECT_EQ(SendFrameworkMessage(description, *sender.Get(),
                                 static_cast<IMessageHandler*>(target.Get()), 0),
            S_OK);
  EXPECT_EQ(log, (std::vector<TreeHandler*>{target.Get()}));
}

}  // namespace
