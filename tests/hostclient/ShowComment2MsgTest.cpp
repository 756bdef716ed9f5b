// The show-comment message's faces: its id, flags and sender stamp through the raw message
// slots, the comment it carries, and its identity.
#include "hostclient/ShowComment2Msg.h"

#include "hostapi/DataObjects.h"
#include "hostclient/ComPtr.h"
#include "hostclient/EventIterSet.h"

#include <gtest/gtest.h>

#include <vector>

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
  uint32_t first = 1;
  uint32_t flags = 0;
  ASSERT_EQ(S_OK, message->GetData(&first, &flags));
  EXPECT_EQ(0u, first);
  EXPECT_EQ(ScrivoClient::kShowCommentFlags, flags) << "the flags word travels as the data's second word";
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

// A data object that only notes the search's opening call.
class SearchNotingObject final : public IHostEventSearch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IHostEventSearch) *out = static_cast<IHostEventSearch*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BeginEventSearch(uint32_t request) override {
    requests.push_back(request);
    return E_FAIL;  // the set goes on whatever the host answers
  }
  std::vector<uint32_t> requests;
};

TEST(ShowComment2Msg, TheSearchOpensWithTheHostsSearchCallAndStaysEmptyWithoutSources) {
  SearchNotingObject object;
  QOREvent::EventIterSet set(0, &object, 0, 0, 0);
  set.AddHostSources();
  EXPECT_EQ(std::vector<uint32_t>{0xC0000000u}, object.requests);
  EXPECT_EQ(0u, set.SourceCount());
  ComPtr<IMessage> message;
  ASSERT_EQ(S_OK, CreateShowComment2Msg(0, &object, 0, 0, 0, message.Out()));
  EXPECT_EQ(2u, object.requests.size());
}

}  // namespace
