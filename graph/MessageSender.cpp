// The receiver list of a sender and the walk of a send.
#include "graph/MessageSender.h"

#include <algorithm>
#include <cstddef>

namespace MessSys {

bool MessageReceiver::OnMessage(Message*) { return false; }

class MessageSender::Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) noexcept : mSection(section) { EnterCriticalSection(&mSection); }
  ~Lock() { LeaveCriticalSection(&mSection); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& mSection;
};

MessageSender::MessageSender() noexcept { InitializeCriticalSection(&mLock); }

MessageSender::~MessageSender() { DeleteCriticalSection(&mLock); }

void MessageSender::AddReceiver(MessageReceiver* receiver) {
  Lock lock(mLock);
  mReceivers.push_back(receiver);
}

void MessageSender::RemoveReceiver(MessageReceiver* receiver) noexcept {
  Lock lock(mLock);
  auto const found = std::find(mReceivers.begin(), mReceivers.end(), receiver);
  if (found != mReceivers.end()) mReceivers.erase(found);
}

void MessageSender::Send(Message* message) {
  Lock lock(mLock);
  // By position, the end re-read each step: a receiver may remove itself during the call.
  for (std::size_t i = 0; i < mReceivers.size(); ++i) {
    MessageReceiver* const receiver = mReceivers[i];
    receiver->OnMessage(message);
    if (i < mReceivers.size() && mReceivers[i] != receiver) --i;
  }
}

bool MessageSender::HasReceivers() const noexcept {
  Lock lock(mLock);
  return !mReceivers.empty();
}

}  // namespace MessSys
