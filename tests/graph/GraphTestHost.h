// GraphTestHost: suites whose drawers look for the host's services register the stand-in framework first.
#pragma once

#include "graph/Message.h"

#include "host/app/HostFramework.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class GraphTestHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
};

// Keeps every message of type M it receives through a copy made by copy.
template <class M>
class MessageLog : public MessSys::MessageReceiver {
 public:
  bool OnMessage(MessSys::Message* message) override {
    auto* const typed = dynamic_cast<M*>(message);
    if (!typed) return false;
    received.push_back(*typed);
    if (onReceive) onReceive(*typed);
    return true;
  }
  std::vector<M> received;
  std::function<void(const M&)> onReceive;
};
