// MessSys::MessageSender: a receiver list walked in registration order under its own critical section.
#pragma once

#include "graph/Message.h"

#include <windows.h>

#include <vector>

namespace MessSys {

// Receivers are not owned and are not told when the sender dies. The critical section may be
// re-entered from OnMessage on the sending thread; a receiver removed during a send shifts the
// later ones down, and each remaining receiver is still called at most once.
class MessageSender {
 public:
  MessageSender() noexcept;
  MessageSender(const MessageSender&) = delete;
  MessageSender& operator=(const MessageSender&) = delete;
  virtual ~MessageSender();

  // Appends receiver (duplicates are kept).
  void AddReceiver(MessageReceiver* receiver);
  // Removes the first entry equal to receiver; nothing when it is absent.
  void RemoveReceiver(MessageReceiver* receiver) noexcept;
  void Send(Message* message);
  bool HasReceivers() const noexcept;

 private:
  class Lock;

  mutable CRITICAL_SECTION mLock;
  std::vector<MessageReceiver*> mReceivers;
};

}  // namespace MessSys
