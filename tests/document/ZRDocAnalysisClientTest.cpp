// The document as a client of the host's analysis manager: found from the host document,
// registered on the host's first broadcast with its settings stream, told of changes, and
// following the manager's requests for the range, a removal and a new analysis.
#include "hostclient/AnalysisClientBase.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using AnalysisManager::AnalysisClientBase;
using ZR::Doc::ZRDoc;

class ZRDocAnalysisClient : public doctest::ZRDocTest {
 protected:
  const std::vector<host::AnalysisClient>& Clients() { return mHost->AnalysisManager().Clients(); }
  size_t Runs() { return host::Progress().titles.size(); }
};

TEST_F(ZRDocAnalysisClient, TheManagerIsTheHostDocumentContainersChild) {
  Open();
  IUnknown* const sentinel = reinterpret_cast<IUnknown*>(0x1234);
  IUnknown* child = sentinel;
  EXPECT_EQ(E_POINTER, AnalysisClientBase::GetManagerChild(nullptr, &child));
  EXPECT_EQ(sentinel, child) << "nothing written";
  ComPtr<IUnknown> manager;
  ASSERT_EQ(S_OK, AnalysisClientBase::GetManagerChild(static_cast<IHostDocument*>(mHost.Get()), manager.Out()));
  ComPtr<IAnalysisManager> face;
  ASSERT_EQ(S_OK, manager->QueryInterface(IID_IAnalysisManager, face.OutVoid()));
  EXPECT_EQ(static_cast<IAnalysisManager*>(&mHost->AnalysisManager()), face.Get());
  EXPECT_EQ(E_FAIL, AnalysisClientBase::GetManagerChild(static_cast<IHostDataDocument*>(mData.Get()), manager.Out()))
      << "a data document has no container";
  EXPECT_FALSE(manager);
}

// Only the first broadcast with equal words registers; an existing analysis is run again then.
TEST_F(ZRDocAnalysisClient, TheFirstOpenBroadcastRegistersWithTheSettingsStream) {
  ZRDoc& doc = Open();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  const uint32_t unequal[2] = {0, 1};
  ASSERT_EQ(S_OK, mHost->NotifyDocuments(kDocumentsOpenEventId, unequal));
  EXPECT_TRUE(Clients().empty());
  const size_t runs = Runs();
  ASSERT_EQ(S_OK, mHost->BroadcastDocumentsOpen());
  ASSERT_EQ(1u, Clients().size());
  EXPECT_EQ(L"Ondara", Clients()[0].identifier);
  EXPECT_EQ(L"Ondara", Clients()[0].displayName);
  EXPECT_EQ(Clients()[0].id, doc.ClientId());
  EXPECT_FALSE(Clients()[0].loaded);
  ComPtr<IUnknown> stream;
  ASSERT_EQ(S_OK, doc.GetPersistObject(0, 2, nullptr, stream.Out()));
  EXPECT_EQ(stream.Get(), Clients()[0].persistObject.Get());
  EXPECT_EQ(runs + 1, Runs()) << "the existing analysis is run again";
  EXPECT_EQ(8, Events());
  ASSERT_EQ(S_OK, mHost->BroadcastDocumentsOpen());
  EXPECT_EQ(runs + 1, Runs()) << "only the first broadcast";
}

TEST_F(ZRDocAnalysisClient, ChangesReachTheManagerOnceRegistered) {
  ZRDoc& doc = Open();
  doc.ResetHostState();
  ASSERT_EQ(S_OK, mHost->BroadcastDocumentsOpen());
  doc.ResetHostState();
  ASSERT_EQ(S_OK, SendAnalyze());
  ASSERT_EQ(1u, Clients().size());
  EXPECT_EQ(2, Clients()[0].changes);
}

TEST_F(ZRDocAnalysisClient, RangeRemovalAndNewAnalysisFollowTheManagersRequests) {
  ZRDoc& doc = Open();
  ASSERT_EQ(S_OK, mHost->BroadcastDocumentsOpen());
  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskRange, 9, false));
  EXPECT_FALSE(Clients()[0].hasRange) << "the manager holds no settings of the document yet";

  ASSERT_EQ(S_OK, SendAnalyze());
  ASSERT_TRUE(doc.PersistenceRegistered());
  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskRange, 9, false));
  const host::AnalysisClient& client = Clients()[0];
  ASSERT_TRUE(client.hasRange);
  EXPECT_EQ(9u, client.rangeArgument);
  EXPECT_EQ((std::vector<long>{client.start.record, client.start.tick, client.end.record, client.end.tick}), Region());

  const size_t runs = Runs();
  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskReanalyse, 0, false));
  EXPECT_EQ(runs, Runs());
  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskReanalyse, 0, true));
  EXPECT_EQ(runs + 1, Runs());

  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskRemove, 0, false));
  EXPECT_EQ(8, Events());
  const auto marker = static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject));
  ASSERT_EQ(S_OK, mHost->AskAnalysisClients(kManagerAskRemove, 0, true));
  EXPECT_EQ(0, Events());
  EXPECT_FALSE(doc.HasAnalysis());
  EXPECT_EQ(nullptr, mData->Objects().Find(marker, kMarkerObjectKind)) << "the marker objects are removed";
  EXPECT_EQ(-1, Value(ZR::Doc::kSettingDetectorObject));
}

}  // namespace
