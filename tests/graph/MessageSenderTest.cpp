// MessSys::MessageSender: the order receivers are called in, removal, and sends without receivers.
#include "graph/MessageSender.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Ping : MessSys::Message {};
struct Other : MessSys::Message {};

// Writes its name into a shared log for every Ping; other messages pass unhandled.
class LoggingReceiver : public MessSys::MessageReceiver {
 public:
  LoggingReceiver(char name, std::string& log) : mName(name), mLog(log) {}
  bool OnMessage(MessSys::Message* message) override {
    if (!dynamic_cast<Ping*>(message)) return false;
    mLog += mName;
    if (removeFrom) removeFrom->RemoveReceiver(this);
    return true;
  }
  MessSys::MessageSender* removeFrom = nullptr;

 private:
  char mName;
  std::string& mLog;
};

}  // namespace

TEST(MessageSender, CallsReceiversInRegistrationOrderForEveryMessage) {
  MessSys::MessageSender sender;
  std::string log;
  LoggingReceiver a('A', log), b('B', log);
  Ping ping;
  sender.Send(&ping);  // no receivers: nothing happens
  EXPECT_FALSE(sender.HasReceivers());
  sender.AddReceiver(&a);
  sender.AddReceiver(&b);
  sender.Send(&ping);
  sender.Send(&ping);
  Other other;
  sender.Send(&other);
  EXPECT_EQ("ABAB", log);
}

TEST(MessageSender, RemovesOnlyTheFirstEqualEntryAndIgnoresStrangers) {
  MessSys::MessageSender sender;
  std::string log;
  LoggingReceiver a('A', log), b('B', log), stranger('S', log);
  sender.AddReceiver(&a);
  sender.AddReceiver(&b);
  sender.AddReceiver(&a);
  sender.RemoveReceiver(&stranger);
  sender.RemoveReceiver(&a);
  Ping ping;
  sender.Send(&ping);
  EXPECT_EQ("BA", log);
}

TEST(MessageSender, ReceiverRemovingItselfDoesNotMakeTheNextOneMissTheSend) {
  MessSys::MessageSender sender;
  std::string log;
  LoggingReceiver a('A', log), b('B', log), c('C', log);
  sender.AddReceiver(&a);
  sender.AddReceiver(&b);
  sender.AddReceiver(&c);
  b.removeFrom = &sender;
  Ping ping;
  sender.Send(&ping);
  sender.Send(&ping);
  EXPECT_EQ("ABCAC", log);
}
