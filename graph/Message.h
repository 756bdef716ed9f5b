// MessSys::Message and MessSys::MessageReceiver: the synchronous notifications between graph parts.
#pragma once

namespace MessSys {

// Base of every message. A message is built on the sender's stack, handed by pointer to each
// receiver and destroyed when the send returns; receivers tell kinds apart by dynamic_cast.
class Message {
 public:
  virtual ~Message() = default;
};

// Registers itself with a MessageSender; must remove itself from every sender before it dies.
class MessageReceiver {
 public:
  virtual ~MessageReceiver() = default;
  // True when the message was handled; the sender ignores the answer. The message must not be
  // kept after the call.
  virtual bool OnMessage(Message* message);
};

}  // namespace MessSys
