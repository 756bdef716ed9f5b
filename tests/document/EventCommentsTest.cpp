// The recording view's comments over an analysed stand-in file: the events' comments carry the
// draw classes' tooltips, the module's show-comment message brings the first event, and showing a
// comment the user picks makes the event it names current.
#include "document/AnalysisChannelUnit.h"
#include "document/CycleDetector.h"
#include "document/EventNumberInRecord.h"
#include "document/ZRDoc.h"

#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/data/HostDocument.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/data/CustomDocuments.h"
#include "host/view/RecordingComments.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/ComPtr.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventDrawClass.h"
#include "hostclient/EventDataComment.h"
#include "hostclient/EventDrawContext.h"
#include "hostclient/EventIterSet.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/ShowComment2Msg.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/document/SamplingDocumentTest.h"
#include "tests/support/CardiacSignal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

using host::HostPtr;
using ZR::Doc::ZRDoc;

class EventComments : public doctest::DocumentTest {
 protected:
  static void SetUpTestSuite() {
    doctest::DocumentTest::SetUpTestSuite();
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    CalcEnums::RegisterEnumeratorClasses(registry);
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClassWithFramework(&sFormulaClass));
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
    for (int32_t n = 0; n < ScrivoClient::kEventDrawClassCount; ++n)
      RegisterNewClassObject(registry, ScrivoClient::NewEventDrawClass(n));
    // As the module's registration does: tooltips number events from the document's results.
    SetEventDrawContextProvider({&ZR::Doc::GetEventNumberInRecord, &ZR::Doc::AnalysisChannelUnit});
  }
  static void TearDownTestSuite() {
    sFormulaClass.Reset();
    SetEventDrawContextProvider({});
  }
  void TearDown() override {
    if (mHost) mHost->CloseChildDocuments();
    if (mData) mData->SetFormulaClass(nullptr);
  }

  // One record of four cardiac beats, analysed with the Cardiac Action Potential type.
  ZRDoc& Analysed() {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
    const std::vector<float> signal = testsupport::CardiacSignal(5000, 1000.0);
    host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
    record.samples[0]->Append(signal.data(), 5000);
    record.length = 5000;
    recording.records.push_back(std::move(record));
    mData = host::DataDocument::Create(std::move(recording));
    // The view reads the markers' formulas through the host's formula class.
    mData->SetFormulaClass(sFormulaClass.Get());
    mHost = host::HostDocument::Create(mData);
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    EXPECT_EQ(S_OK, mDoc->SetSettingText(2000, L"1"));
    EXPECT_EQ(S_OK, mDoc->SetSettingText(1036, L"f"));
    EXPECT_TRUE(mDoc->RunAnalysis(false, true));
    return *mDoc.Get();
  }
  IUnknown* File() { return doctest::AsFile(mData.Get()); }

  static inline HostPtr<ICalcEnumClass2> sFormulaClass;
  HostPtr<host::DataDocument> mData;
  HostPtr<host::HostDocument> mHost;
  HostPtr<ICustomDocument2> mDocument;
  HostPtr<ZRDoc> mDoc;
};

TEST_F(EventComments, EventsCommentsCarryTheDrawClassesTooltips) {
  ZRDoc& doc = Analysed();
  ASSERT_EQ(4, doc.GetCycleDetector()->EventCount());
  host::RecordingComments view;
  ASSERT_EQ(S_OK, view.CollectEventComments(ObjectFactoryAccessor::Get(), File(), 0));
  ASSERT_EQ(4u, view.Comments().size());
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(L"ZR: Peak " + std::to_wstring(i + 1), view.Comments()[i].text) << i;
    EXPECT_EQ(ScrivoClient::kPeakGreen, view.Comments()[i].colour) << i;
  }
}

TEST_F(EventComments, ShowCommentMakesTheNamedEventCurrent) {
  ZRDoc& doc = Analysed();
  host::RecordingComments view;
  ASSERT_EQ(S_OK, view.CollectEventComments(ObjectFactoryAccessor::Get(), File(), 0));
  ASSERT_EQ(S_OK, view.ShowComment(mDocument.Get(), GetTypeRegistry(), L"ZR: Peak 3"));
  EXPECT_EQ(2u, doc.CurrentEvent());
  ASSERT_EQ(S_OK, view.ShowComment(mDocument.Get(), GetTypeRegistry(), L"ZR: Peak 1"));
  EXPECT_EQ(0u, doc.CurrentEvent());
  EXPECT_EQ(S_FALSE, view.ShowComment(mDocument.Get(), GetTypeRegistry(), L"ZR: Peak 9"));
  EXPECT_EQ(0u, doc.CurrentEvent());
  // A comment naming a peak the analysis does not have, another module's, one of the preview
  // draw class (number 3) or one without an event type changes nothing.
  const uint32_t peakType = DocIds::EventDrawTypeId<1>::Id();
  const struct { const wchar_t* text; uint32_t typeId; } strays[] = {
      {L"ZR: Peak 9", peakType}, {L"ZR: Peak 0", peakType}, {L"Note 2", peakType},
      {L"ZR: Peak 2", DocIds::EventDrawTypeId<3>::Id()}, {L"ZR: Peak 2", 0}};
  for (const auto& stray : strays) {
    const HostPtr<IScrivoComment> comment = host::MakeViewComment(0, 0, stray.text, stray.typeId);
    doc.OnCommentActivated(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(comment.Get())), 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(0u, doc.CurrentEvent()) << stray.text << " " << stray.typeId;
  }
  const HostPtr<IScrivoComment> peak = host::MakeViewComment(0, 0, L"ZR: Peak 2", peakType);
  doc.OnCommentActivated(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(peak.Get())), 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(1u, doc.CurrentEvent());
}

// "ZR: Peak 1" selects the Table View's first row and leaves the host's view alone.
TEST_F(EventComments, ActivatingTheFirstPeaksCommentSelectsRowZero) {
  ZRDoc& doc = Analysed();
  doc.SetCurrentEvent(3, 0);
  std::vector<std::string> log;
  doctest::SamplingView table(1, log);
  doc.AttachView(&table);
  host::RecordingComments view;
  ASSERT_EQ(S_OK, view.CollectEventComments(ObjectFactoryAccessor::Get(), File(), 0));
  log.clear();
  ASSERT_EQ(S_OK, view.ShowComment(mDocument.Get(), GetTypeRegistry(), L"ZR: Peak 1"));
  EXPECT_EQ(0u, doc.CurrentEvent());
  EXPECT_EQ((std::vector<std::string>{"select 0"}), log);
  EXPECT_TRUE(mHost->RecordingViewCursor().Moves().empty());
  EXPECT_TRUE(mHost->RecordingView().Comments().empty()) << "the activated comment is not sent back";
  doc.DetachView(&table);
}

// The module's message finds the first event from the start of the record among the drawn
// sources; the view takes its comment, and activating that comment reaches the document.
TEST_F(EventComments, TheModulesShowCommentMessageReachesTheViewAndTheDocument) {
  ZRDoc& doc = Analysed();
  ComPtr<IMessage> message;
  ASSERT_EQ(S_OK, ScrivoClient::CreateShowComment2Msg(0, File(), 1, 0, 0, message.Out()));
  host::RecordingComments view;
  ASSERT_EQ(S_OK, view.Receive(message.Get()));
  ASSERT_EQ(1u, view.Comments().size());
  EXPECT_EQ(L"ZR: Peak 1", view.Comments()[0].text);
  EXPECT_EQ(ScrivoClient::kPeakGreen, view.Comments()[0].colour);
  EXPECT_EQ(doc.GetCycleDetector()->GetEvent(0).record.tick, view.Comments()[0].position);
  ASSERT_EQ(S_OK, view.ShowComment(mDocument.Get(), GetTypeRegistry(), L"ZR: Peak 1"));
  EXPECT_EQ(0u, doc.CurrentEvent());
}

// The popup of the message's comment heads its text with the event's time in its record.
TEST_F(EventComments, TheCommentsPopupShowsTheEventsTime) {
  ZRDoc& doc = Analysed();
  ComPtr<IMessage> message;
  ASSERT_EQ(S_OK, ScrivoClient::CreateShowComment2Msg(0, File(), 1, 0, 0, message.Out()));
  ComPtr<IShowComment2Message> show;
  ASSERT_EQ(S_OK, message->QueryInterface(IID_IShowComment2Message, show.OutVoid()));
  ComPtr<IScrivoCommentEx> comment;
  ASSERT_EQ(S_OK, show->GetComment(comment.Out()));
  const RECT marker{97, 50, 104, 57};
  ComPtr<ICommentPopupWindow> popup;
  ASSERT_EQ(S_OK, comment->ShowPopupForRect(nullptr, 0, popup.Out(), &marker));
  HWND const window = FindWindowW(L"CommentPopup", nullptr);
  ASSERT_TRUE(window);
  wchar_t line[64] = {};
  GetWindowTextW(window, line, 64);
  std::wostringstream expected;
  expected << L"t = " << doc.GetCycleDetector()->GetEvent(0).record.tick * 0.001 << L" s";  // at 1 kHz
  EXPECT_EQ(expected.str(), line);
}

// The current event shown in the host: its comment, found among the drawn sources, reaches the
// host document's recording view with the flags word; only within the events and with markers on.
TEST_F(EventComments, ShowingAnEventInTheHostSendsItsCommentToTheRecordingView) {
  ZRDoc& doc = Analysed();
  const std::vector<host::ViewComment>& shown = mHost->RecordingView().Comments();
  doc.SetCurrentEvent(2, ZR::Doc::kShowInHost | ZR::Doc::kShowInHostExtra);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(L"ZR: Peak 3", shown[0].text);
  EXPECT_EQ(doc.GetCycleDetector()->GetEvent(2).record.tick, shown[0].position);
  EXPECT_EQ(0xE0000000u, shown[0].flags);
  doc.SetCurrentEvent(1, 0);
  doc.ShowCurrentEventInHost();
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(L"ZR: Peak 2", shown[1].text);
  EXPECT_EQ(0x60000000u, shown[1].flags);

  doc.SetCurrentEvent(4, ZR::Doc::kShowInHost);
  EXPECT_EQ(2u, shown.size()) << "past the last event";
  EXPECT_EQ(S_OK, doc.SetSettingText(2010, L"f"));
  doc.SetCurrentEvent(0, ZR::Doc::kShowInHost);
  doc.ShowCurrentEventInHost();
  EXPECT_EQ(2u, shown.size()) << "peak markers off";
}

}  // namespace

namespace {

std::vector<unsigned char> EventAt(int32_t tick) {
  std::vector<unsigned char> event(24, 0);
  std::memcpy(event.data(), &tick, sizeof tick);
  return event;
}

int32_t TickOf(const std::vector<unsigned char>& event) {
  int32_t tick = -1;
  std::memcpy(&tick, event.data(), sizeof tick);
  return tick;
}

// Two drawn sources with the same events: at each tick the set's own event comes first, then the
// sources in the order they were added.
TEST_F(EventComments, SearchSetTakesTheNearestEventAndTiesGoToTheLowerSlot) {
  ZRDoc& doc = Analysed();
  const host::DataObject* detector = nullptr;
  for (const host::DataObject& o : mData->Objects().Objects())
    if (!o.channels.empty()) detector = &o;
  ASSERT_NE(nullptr, detector);
  const std::wstring formula = detector->formula;
  IHostDataObjects& objects = mData->Objects();
  DataObjectId copy{kNewDataObject, kDataObjectRequestKind};
  ComPtr<QOR::IQORString> name;
  ASSERT_EQ(S_OK, objects.NewObject(0, 0, 0, name.Out(), &copy));
  ASSERT_EQ(S_OK, mData->Objects().SetFormula(copy.id, kMarkerObjectKind, formula, L""));
  ASSERT_EQ(S_OK, objects.AttachObject(copy.id, kMarkerObjectKind, 0));

  const int32_t first = doc.GetCycleDetector()->GetEvent(0).record.tick;
  const int32_t second = doc.GetCycleDetector()->GetEvent(1).record.tick;
  QOREvent::EventIterSet set(0, File(), 0, 0, 0);
  set.AddHostSources();
  ASSERT_EQ(2u, set.SourceCount());
  set.SetOwnEvent(EventAt(first));
  const struct { int32_t slot; int32_t tick; } expected[] = {{0, first}, {1, first}, {2, first}, {1, second}};
  for (const auto& step : expected) {
    QOREvent::EventBytes event;
    ASSERT_EQ(0, set.TakeCurrent(&event)) << step.slot;
    EXPECT_EQ(step.slot, set.Current());
    EXPECT_EQ(step.tick, TickOf(event)) << step.slot;
    ComPtr<IEnumEventEx> source;
    int32_t index = -1;
    EXPECT_EQ(step.slot == 0 ? E_FAIL : S_OK, set.CurrentSource(source.Out(), &index)) << step.slot;
    if (step.slot > 0) {
      EXPECT_EQ(step.slot - 1, index);
    }
  }
}

TEST_F(EventComments, SearchSetOverADocumentWithoutDrawnSourcesIsEmpty) {
  Analysed();
  for (const host::DataObject& o : std::vector<host::DataObject>(mData->Objects().Objects()))
    for (const int32_t channel : o.channels) mData->Objects().DetachObject(o.id, kMarkerObjectKind, channel);
  QOREvent::EventIterSet set(0, File(), 0, 0, 0);
  set.AddHostSources();
  EXPECT_EQ(0u, set.SourceCount());
  QOREvent::EventBytes event;
  EXPECT_EQ(1, set.TakeCurrent(&event));
  ComPtr<IScrivoCommentEx> comment;
  EXPECT_EQ(1, ScrivoClient::BuildComment(set, comment.Out()));
  EXPECT_FALSE(comment);
}

// Backward, the nearest earlier event comes first, the start position included.
TEST_F(EventComments, SearchSetSearchesBackwardFromTheStartPosition) {
  ZRDoc& doc = Analysed();
  const int32_t third = doc.GetCycleDetector()->GetEvent(2).record.tick;
  QOREvent::EventIterSet set(0, File(), 0, 0, third);
  set.SetForward(false);
  set.AddHostSources();
  ASSERT_EQ(1u, set.SourceCount());
  for (const int32_t n : {2, 1, 0}) {
    QOREvent::EventBytes event;
    ASSERT_EQ(0, set.TakeCurrent(&event)) << n;
    EXPECT_EQ(doc.GetCycleDetector()->GetEvent(n).record.tick, TickOf(event)) << n;
  }
  QOREvent::EventBytes none;
  EXPECT_EQ(1, set.TakeCurrent(&none));
}

// The set's own event wins a tie and hands out the comment the set holds for it.
TEST_F(EventComments, TheSetsOwnEventGivesTheCommentHeldForIt) {
  ZRDoc& doc = Analysed();
  const int32_t first = doc.GetCycleDetector()->GetEvent(0).record.tick;
  ComPtr<IScrivoCommentEx> own;
  ScrivoClient::EventCommentInit init;
  init.position = first;
  init.text = L"own";
  ASSERT_EQ(S_OK, ScrivoClient::CreateEventDataComment(init, own.Out()));
  QOREvent::EventIterSet set(0, File(), 0, 0, 0);
  set.AddHostSources();
  set.SetOwnEvent(EventAt(first), own.Get());
  ComPtr<IScrivoCommentEx> comment;
  ASSERT_EQ(0, ScrivoClient::BuildComment(set, comment.Out()));
  EXPECT_EQ(own.Get(), comment.Get());
  ASSERT_EQ(0, ScrivoClient::BuildComment(set, comment.Out()));
  EXPECT_NE(own.Get(), comment.Get()) << "then the source's event at the same tick";
}

}  // namespace
