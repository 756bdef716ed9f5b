// The analysis document over a stand-in data file, created by its class and driven as the host
// drives it: attachment, "ZR_Analyze" through the framework, the real chain over two records, the
// stored region, progress and cancel, marker objects, views, analysis while sampling, clearing.
#include "document/ZRDoc.h"

#include "document/AnalysisRegion.h"
#include "document/ZRSetting.h"
#include "grid/ITableViewManager.h"
#include "tests/document/ZRDocFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using host::HostPtr;
using ZR::Doc::ZRDoc;
using doctest::gAnswer;
using doctest::gBoxes;
using doctest::NotingView;
using doctest::ZRDocTest;

TEST_F(ZRDocTest, AnalyzeCommandRunsTheWholeChannelThroughTheRealChain) {
  ZRDoc& doc = Open();
  // Attached: three objects, the detector's named after the channel.
  ASSERT_EQ(3u, mData->Objects().Objects().size());
  EXPECT_EQ(L"Ondara (Channel 1)",
            mData->Objects().Find(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), 4)->name);
  ASSERT_EQ(S_OK, SendAnalyze());
  EXPECT_EQ((std::vector<int32_t>{4, 4}), doc.GetCycleDetector()->EventsPerRecord());
  EXPECT_EQ((std::vector<long>{0, 0, 1, 5000}), Region());
  EXPECT_TRUE(Flag(ZR::Doc::kSettingRegionStored));
  EXPECT_FALSE(Flag(ZR::Doc::kSettingNoRegionStored));
  EXPECT_EQ((std::vector<std::wstring>{L"Processing"}), host::Progress().titles);
  EXPECT_EQ((std::vector<std::wstring>{L"", L"Block 1", L"Block 2", L"Updating Views"}), host::Progress().texts);
  EXPECT_EQ((std::vector<int32_t>{50, 100}), host::Progress().percents) << "one chunk per record";
  EXPECT_EQ(0, host::Progress().live);
  // Cardiac type: the detector object shows the peaks, the analysis object does not.
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{}, {0}, {}}), Attached());
  EXPECT_TRUE(gBoxes.empty());
}

TEST(ZRDoc, PeakCommentsGiveTheirNumber) {
  long n = -1;
  EXPECT_TRUE(ZRDoc::ParsePeakComment(L"ZR: Peak 12", n));
  EXPECT_EQ(12, n);
  EXPECT_TRUE(ZRDoc::ParsePeakComment(L"ZR: Population Spike 3", n));
  EXPECT_EQ(3, n);
  EXPECT_FALSE(ZRDoc::ParsePeakComment(L"ZR: Peak", n));
  EXPECT_FALSE(ZRDoc::ParsePeakComment(L"Peak 4", n));
  EXPECT_FALSE(ZRDoc::ParsePeakComment(nullptr, n));
}

TEST_F(ZRDocTest, ChunksAreAHundredthOfTheRegionBetweenOneThousandAndTenThousandTicks) {
  for (const auto& [total, chunk] : std::vector<std::pair<int64_t, int32_t>>{
           {99999, 99999}, {100000, 1000}, {2000000, 10000}, {1000000, 10000}, {0, 1}, {5, 5}})
    EXPECT_EQ(chunk, ZR::Doc::AnalysisChunkTicks(total)) << total;
  Open(1, 100000);
  ASSERT_TRUE(mDoc->RunAnalysis(false, true));
  EXPECT_EQ(100u, host::Progress().percents.size());
  EXPECT_EQ(100, host::Progress().percents.back());
}

TEST_F(ZRDocTest, RegionsMustStartAtOrAfterZeroAndEndOpenOrAfterTheStart) {
  EXPECT_TRUE(ZR::Doc::IsValidRegion(0, 0, 0, 1));
  EXPECT_TRUE(ZR::Doc::IsValidRegion(1, 500, 2, 0));
  EXPECT_TRUE(ZR::Doc::IsValidRegion(3, 7, -1, -1));
  EXPECT_FALSE(ZR::Doc::IsValidRegion(0, 5, 0, 5)) << "empty";
  EXPECT_FALSE(ZR::Doc::IsValidRegion(1, 0, 0, 100)) << "start after end";
  EXPECT_FALSE(ZR::Doc::IsValidRegion(0, 200, 0, 100));
  EXPECT_FALSE(ZR::Doc::IsValidRegion(-1, 0, 0, 100));
  EXPECT_FALSE(ZR::Doc::IsValidRegion(0, 0, -1, 0)) << "half open";
}

TEST_F(ZRDocTest, CancelInTheLastRecordClearsEveryRecord) {
  ZRDoc& doc = Open();
  host::Progress().cancelAtPercent = 100;
  EXPECT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ(0, Events());
  EXPECT_FALSE(Flag(ZR::Doc::kSettingRegionStored));
  EXPECT_TRUE(Flag(ZR::Doc::kSettingNoRegionStored));
  EXPECT_EQ((std::vector<long>{0, 0, 0, 0}), Region());
  EXPECT_EQ((std::vector<std::vector<int32_t>>{{}, {}, {}}), Attached()) << "no markers after a cancel";
  EXPECT_EQ(L"Block 2", host::Progress().texts.back()) << "no view update text";
}

TEST_F(ZRDocTest, WhileSamplingTheWholeChannelIsStoredOpenAndRunToTheDataEnd) {
  ZRDoc& doc = Open();
  Set(2009, L"t");
  EXPECT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ((std::vector<long>{0, 0, -1, -1}), Region());
  EXPECT_EQ(8, Events());
}

TEST_F(ZRDocTest, WithoutAProgressDisplayTheRunGoesToTheEnd) {
  ZRDoc& doc = Open();
  host::Progress().unavailable = true;
  EXPECT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ(8, Events());
  EXPECT_TRUE(Flag(ZR::Doc::kSettingRegionStored));
}

TEST_F(ZRDocTest, SelectionIsAnalysedAndAnEmptyOrInvertedOneRefused) {
  ZRDoc& doc = Open();
  Set(2004, L"t");
  ASSERT_EQ(S_OK, doc.Selection()->SetRange({0, 1000}, {1, 2000}));
  EXPECT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ((std::vector<long>{0, 1000, 1, 2000}), Region());
  // Beats at 0.81, 2.07, 3.33 and 4.58 s of each record.
  EXPECT_EQ((std::vector<int32_t>{3, 1}), doc.GetCycleDetector()->EventsPerRecord());
  ASSERT_EQ(S_OK, doc.Selection()->SetRange({1, 300}, {1, 300}));
  EXPECT_FALSE(doc.RunAnalysis(false, true));
  EXPECT_EQ(0, Events()) << "the refused run cleared the results";
  EXPECT_FALSE(Flag(ZR::Doc::kSettingRegionStored));
  // A stored region whose start lies after its end is refused as well.
  Set(2012, L"f");
  for (const auto& [id, value] : std::vector<std::pair<int32_t, const wchar_t*>>{
           {2005, L"1"}, {2006, L"0"}, {2007, L"0"}, {2008, L"4000"}})
    Set(id, value);
  EXPECT_FALSE(doc.RunAnalysis(true, true));
  EXPECT_EQ(0, Events());
}

TEST_F(ZRDocTest, WithoutADetectorTheRunIsRefusedWithAMessageAndResultsStay) {
  ZRDoc& doc = Open();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  Set(2000, L"3");
  EXPECT_EQ(S_OK, doc.SetSettingText(1000, L"5")) << "a valid method that selects no detector";
  EXPECT_FALSE(doc.RunAnalysis(false, true));
  ASSERT_EQ(1u, gBoxes.size());
  EXPECT_NE(std::wstring::npos, gBoxes[0].text.find(L"No detector"));
  EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), gBoxes[0].type);
  EXPECT_EQ(8, Events());
  EXPECT_TRUE(Flag(ZR::Doc::kSettingRegionStored));
}

TEST_F(ZRDocTest, MarkersFollowTheAnalysisType) {
  ZRDoc& doc = Open();
  const std::vector<int32_t> on{0};
  const std::vector<int32_t> off{};
  for (const auto& [type, detector, analysis] : std::vector<std::tuple<const wchar_t*, bool, bool>>{
           {L"0", false, true}, {L"1", true, false}, {L"2", false, true}, {L"3", true, true},
           {L"4", true, false}, {L"5", true, false}}) {
    Set(2000, type);
    doc.AttachPeakMarkers();
    EXPECT_EQ(detector ? on : off, Attached()[1]) << type;
    EXPECT_EQ(analysis ? on : off, Attached()[2]) << type;
    doc.DetachPeakMarkers();
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{}, {}, {}}), Attached()) << type;
  }
}

TEST_F(ZRDocTest, MarkerObjectsAreReusedRemovedOnceAndMadeAgainForARun) {
  ZRDoc& doc = Open();
  const std::vector<long> ids{Value(ZR::Doc::kSettingSourceObject), Value(ZR::Doc::kSettingDetectorObject),
                              Value(ZR::Doc::kSettingAnalysisObject)};
  doc.Reanalyze();  // attaches the data again
  EXPECT_EQ(S_OK, mDocument->OnDataAttached());
  EXPECT_EQ(3u, mData->Objects().Objects().size());
  EXPECT_EQ(ids, (std::vector<long>{Value(ZR::Doc::kSettingSourceObject), Value(ZR::Doc::kSettingDetectorObject),
                                    Value(ZR::Doc::kSettingAnalysisObject)}));
  doc.DeleteHostMarkers();
  EXPECT_TRUE(mData->Objects().Objects().empty());
  EXPECT_EQ((std::vector<long>{-1, -1, -1}),
            (std::vector<long>{Value(ZR::Doc::kSettingSourceObject), Value(ZR::Doc::kSettingDetectorObject),
                               Value(ZR::Doc::kSettingAnalysisObject)}));
  doc.DeleteHostMarkers();  // nothing named "-1" is looked for
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ(3u, mData->Objects().Objects().size());
  EXPECT_EQ(8, Events());
}

TEST_F(ZRDocTest, ViewsRefreshAnalysisViewFirstAndOnlyWhileAttached) {
  ZRDoc& doc = Open();
  std::vector<int> log;
  NotingView analysis(0, log);
  NotingView table(1, log);
  NotingView other(-1, log);
  doc.AttachView(&table);
  doc.AttachView(&analysis);
  doc.AttachView(&other);
  EXPECT_EQ((std::vector<int>{1, 0}), log) << "each refreshed as it attaches";
  log.clear();
  doc.UpdateViews();
  EXPECT_EQ((std::vector<int>{0, 1}), log);
  doc.DetachView(&analysis);
  log.clear();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_EQ((std::vector<int>{1, 1}), log) << "cleared, then analysed";
  doc.DetachView(&table);
}

TEST_F(ZRDocTest, ClearAnalysisAndResetRegionLeaveNoResults) {
  ZRDoc& doc = Open();
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  doc.ClearAnalysis();
  EXPECT_EQ(0, Events());
  EXPECT_EQ(0u, doc.CurrentEvent());
  EXPECT_FALSE(Flag(ZR::Doc::kSettingRegionStored));
  EXPECT_TRUE(Flag(ZR::Doc::kSettingNoRegionStored));
  EXPECT_EQ((std::vector<long>{0, 0, 0, 0}), Region());
  Set(2005, L"1");
  Set(2008, L"10");
  doc.ResetRegion();
  EXPECT_EQ((std::vector<long>{0, 0, 0, 0}), Region());
  EXPECT_FALSE(Flag(ZR::Doc::kSettingRegionStored));
}

TEST_F(ZRDocTest, AnalysisWhileSamplingAsksBeforeItLeavesARegionBehind) {
  ZRDoc& doc = Open();
  Set(2004, L"t");
  ASSERT_EQ(S_OK, doc.Selection()->SetRange({0, 0}, {0, 4000}));
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  gAnswer = IDCANCEL;
  doc.SetAnalyzeWhileSampling(true, true);
  ASSERT_EQ(1u, gBoxes.size());
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), gBoxes[0].type);
  EXPECT_NE(std::wstring::npos, gBoxes[0].text.find(L"existing analysis will be cleared"));
  EXPECT_FALSE(doc.IsAnalyzeWhileSampling());
  EXPECT_EQ((std::vector<long>{0, 0, 0, 4000}), Region());

  gAnswer = IDOK;
  doc.SetAnalyzeWhileSampling(true, true);
  EXPECT_TRUE(doc.IsAnalyzeWhileSampling());
  EXPECT_EQ((std::vector<long>{2, 0, -1, -1}), Region()) << "a new region at the next record";
  ComPtr<IOnlineDataService> service;
  mData->QueryInterface(IID_IOnlineDataService, service.OutVoid());
  EXPECT_EQ(S_FALSE, service->RegisterSink(static_cast<IOnlineDataSink*>(&doc))) << "registered already";

  // A selection that does not end at the data end would break the online data.
  gBoxes.clear();
  gAnswer = IDCANCEL;
  doc.AnalyzeCurrentRegion();
  ASSERT_EQ(1u, gBoxes.size());
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONASTERISK), gBoxes[0].type);
  EXPECT_TRUE(doc.IsAnalyzeWhileSampling());
  gAnswer = IDOK;
  doc.AnalyzeCurrentRegion();
  EXPECT_FALSE(doc.IsAnalyzeWhileSampling());
  EXPECT_EQ((std::vector<long>{0, 0, 0, 4000}), Region());

  doc.SetAnalyzeWhileSampling(false, true);
  EXPECT_EQ(S_FALSE, service->UnregisterSink(static_cast<IOnlineDataSink*>(&doc))) << "unregistered";
}

TEST_F(ZRDocTest, EveryInterfaceIsOneObjectWhichDetachingLeavesWithoutMarkers) {
  ZRDoc& doc = Open();
  IUnknown* identity = nullptr;
  ASSERT_EQ(S_OK, mDocument->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
  for (const IID* iid : {&ZR::Doc::IID_IZRDocInterface, &IID_IOnlineDataSink, &IID_IDocumentSettingsScript,
                         &IID_ICustomDocument2, &IID_IMessageHandler}) {
    IUnknown* part = nullptr;
    ASSERT_EQ(S_OK, mDocument->QueryInterface(*iid, reinterpret_cast<void**>(&part)));
    IUnknown* back = nullptr;
    part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back));
    EXPECT_EQ(identity, back);
    back->Release();
    part->Release();
  }
  identity->Release();
  void* none = &doc;
  EXPECT_EQ(E_NOINTERFACE, mDocument->QueryInterface(IID_IPersistStream, &none));
  EXPECT_EQ(nullptr, none);
  EXPECT_EQ(E_INVALIDARG, doc.SetSettingText(4000, L"1"));
  EXPECT_EQ(E_POINTER, doc.SetSettingText(2000, nullptr));

  ComPtr<ITableViewManager> manager;
  ASSERT_EQ(S_OK, doc.GetTableViewManager(manager.Out()));
  ComPtr<ITableViewManager> again;
  doc.GetTableViewManager(again.Out());
  EXPECT_EQ(manager.Get(), again.Get()) << "made once, kept for the document's life";
  EXPECT_EQ(E_FAIL, manager->SelectRows(0, 1, 2)) << "no view yet";

  mHost->CloseChildDocuments();
  EXPECT_TRUE(mData->Objects().Objects().empty()) << "the host detached the data";
  mDocument.Reset();
  EXPECT_EQ(0u, mDoc.Detach()->Release()) << "the last reference deletes the document";
}

TEST_F(ZRDocTest, TheDetectorObjectIsOnForARunAndOffOnceTheRegionIsReset) {
  ZRDoc& doc = Open();
  const auto state = [&] {
    VARIANT_BOOL on = VARIANT_TRUE;
    mData->Objects().GetObjectState(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), kMarkerObjectKind,
                                    &on);
    return on != VARIANT_FALSE;
  };
  doc.SetMarkerObjectState(false);
  EXPECT_FALSE(state());
  ASSERT_TRUE(doc.RunAnalysis(false, true));
  EXPECT_TRUE(state());
  doc.ResetRegion();
  EXPECT_FALSE(state());
  Set(2001, L"2");
  doc.SetMarkerObjectState(true);
  EXPECT_EQ(L"Ondara (Channel 3)",
            mData->Objects().Find(static_cast<int32_t>(Value(ZR::Doc::kSettingDetectorObject)), 4)->name);
}

TEST_F(ZRDocTest, SourceChannelNameIsTheAnalysisChannelsTitle) {
  ZRDoc& doc = Open();
  EXPECT_STREQ(L"Vm", doc.GetSourceChannelName().GetText());
  ASSERT_EQ(S_OK, mData->EnsureRecordedChannel(1, L"A"));
  Set(2001, L"1");
  EXPECT_STREQ(L"Channel 2", doc.GetSourceChannelName().GetText()) << "a channel without a title";
}

}  // namespace
