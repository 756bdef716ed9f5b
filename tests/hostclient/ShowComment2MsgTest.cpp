// The show-comment message's faces: its id, flags and sender stamp through the raw message
// slots, the comment it carries, and its identity.
#include "hostclient/ShowComment2Msg.h"

#include "hostclient/ComPtr.h"

#include <gtest/gtest.h>

namespace {

using ScrivoClient::CreateShowComment2Msg;

using WordSlot = HRESULT(STDMETHODCALLTYPE*)(IMessage*, uint32_t*);

TEST(ShowComment2Msg, MessageSlotsAnswerTheIdAndNoFlagsOrArgument) {
  ComPtr<IMessage> message;
  ASSERT_EQ(S_OK, CreateShowComment2Msg(0, nullptr, 0, 0, 0, message.Out()));
  auto** table = *reinterpret_cast<void***>(message.Get());
  const struct { int slot; HRESULT hr; uint32_t value; } slots[] = {
      {5, S_OK, kShowComment2MessageId}, {6, S_OK, kShowComment2MessageId}, {7, S_OK, 0}, {9, E_NOTIMPL, 0}};
  for (const auto& s : slots) {
    uint32_t value = 0xDEADBEEF;
    EXPECT_EQ(s.hr, reinterpret_cast<WordSlot>(table[s.slot])(message.Get(), &value)) << s.slot;
    EXPECT_EQ(s.value, value) << s.slot;
  }
  int sender = 0;
  VARIANT_BOOL from = VARIANT_FALSE;
  ASSERT_EQ(S_OK, message->SetSender(&sender));
  ASSERT_EQ(S_OK, message->IsFromSender(&sender, &from));
  EXPECT_EQ(VARIANT_TRUE, from);
  ASSERT_EQ(S_OK, message->IsFromSender(nullptr, &from));
  EXPECT_EQ(VARIANT_FALSE, from);
}

TEST(ShowComment2Msg, WithoutEventsItCarriesNoCommentAndDiesOnItsLastRelease) {
  ComPtr<IMessage> message;
  ASSERT_EQ(S_OK, CreateShowComment2Msg(0, nullptr, 0, 0, 0, message.Out()));
  ComPtr<IShowComment2Message> show;
  ASSERT_EQ(S_OK, message->QueryInterface(IID_IShowComment2Message, show.OutVoid()));
  ComPtr<IScrivoCommentEx> comment;
  EXPECT_EQ(S_FALSE, show->GetComment(comment.Out()));
  EXPECT_FALSE(comment);
  ComPtr<IUnknown> a;
  ComPtr<IUnknown> b;
  message->QueryInterface(IID_IUnknown, a.OutVoid());
  show->QueryInterface(IID_IUnknown, b.OutVoid());
  EXPECT_EQ(a.Get(), b.Get());
  EXPECT_EQ(E_NOINTERFACE, message->QueryInterface(IID_IScrivoComment, b.OutVoid()));
  EXPECT_FALSE(b);
  a.Reset();
  show.Reset();
  EXPECT_EQ(0u, message.Detach()->Release());
}

}  // namespace
