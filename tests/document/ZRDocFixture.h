// The analysis document opened by its class over a stand-in data file of the cardiac signal, as
// the host opens it, for the tests of the document and of its table.
#pragma once

#include "base/ModalMessageBox.h"
#include "document/CycleDetector.h"
#include "document/DocumentView.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSetting.h"
#include "document/ZRSetting_Bool.h"
#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/HostProgress.h"
#include "host/cycles/CycleEnumClass.h"
#include "host/data/HostDocument.h"
#include "host/data/RecordingReader.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/data/CustomDocuments.h"
#include "hostapi/MessageFactory.h"
#include "hostapi/MessageService.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/NamedCommands.h"
#include "tests/document/DocumentTestHost.h"
#include "tests/support/CardiacSignal.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace doctest {

using host::HostPtr;
using ZR::Doc::ZRDoc;

struct Box {
  std::wstring text;
  UINT type;
};
inline std::vector<Box> gBoxes;
inline int gAnswer = IDOK;

inline int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT type) {
  gBoxes.push_back({text, type});
  return gAnswer;
}

// A view of a slot that notes when it is refreshed.
class NotingView final : public ZR::Doc::DocumentView {
 public:
  NotingView(int slot, std::vector<int>& log) : mSlot(slot), mLog(log) {}
  int DocumentSlot() const noexcept override { return mSlot; }
  void Refresh() override { mLog.push_back(mSlot); }
  void SelectEventRow(uint32_t) override {}
  void InvalidateWindow() override {}

 private:
  int mSlot;
  std::vector<int>& mLog;
};

// Records of the cardiac signal (four beats per 5000 ticks at 1 kHz) over one channel "Vm".
inline host::Recording CardiacRecording(int32_t records, int32_t ticks) {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Vm", L"mV", L""});
  const std::vector<float> signal = testsupport::CardiacSignal(ticks, 1000.0);
  for (int32_t r = 0; r < records; ++r) {
    host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
    record.samples[0]->Append(signal.data(), ticks);
    record.length = ticks;
    recording.records.push_back(std::move(record));
  }
  return recording;
}

// Three sweeps with a population spike 10 to 40 ms after a stimulus at 50 ms, each a little deeper.
inline host::Recording PopulationSpikeRecording() {
  host::Recording recording;
  recording.channels.push_back(host::ChannelInfo{L"Field", L"V", L""});
  for (int32_t sweep = 0; sweep < 3; ++sweep) {
    std::vector<float> x(300, 0.0f);
    const double depth = 3.0 + sweep;
    const std::vector<std::pair<int32_t, double>> vertices = {{60, 0}, {70, 1}, {80, -depth}, {90, 2}, {100, 0}};
    for (size_t k = 0; k + 1 < vertices.size(); ++k)
      for (int32_t t = vertices[k].first; t <= vertices[k + 1].first; ++t)
        x[static_cast<size_t>(t)] = static_cast<float>(vertices[k].second + (vertices[k + 1].second - vertices[k].second) *
                                                                              (t - vertices[k].first) / 10.0);
    host::RecordData record = host::MakeEmptyRecord(1, 0.001, true);
    record.samples[0]->Append(x.data(), 300);
    record.length = 300;
    recording.records.push_back(std::move(record));
  }
  return recording;
}

class ZRDocTest : public doctest::DocumentTest {
 protected:
  // Registers once per program, whichever suite comes first.
  static void SetUpTestSuite() {
    doctest::DocumentTest::SetUpTestSuite();
    static bool registered = false;
    if (registered) return;
    registered = true;
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    CalcEnums::RegisterEnumeratorClasses(registry);
    // The host's cycle detector, which General - Unstimulated and Synaptic analyses call.
    ASSERT_EQ(S_OK, host::RegisterCycleEnumClass(registry, GetTypeRegistry()));
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClass(registry, GetTypeRegistry()));
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
    for (NamedCommand command : {NamedCommand::Analyze, NamedCommand::CopyToDataPad, NamedCommand::ClearAnalysis})
      GetMessageFactory()->Register(0, &NamedCommandClassObject(command));
  }
  void SetUp() override {
    gBoxes.clear();
    gAnswer = IDOK;
    mPreviousHook = QOR::SetMessageBoxHook(&RecordBox);
    host::Progress() = host::ProgressLog{};
  }
  void TearDown() override {
    if (mHost) mHost->CloseChildDocuments();
    QOR::SetMessageBoxHook(mPreviousHook);
    host::Progress() = host::ProgressLog{};
  }

  // The document opened over such records with the Cardiac Action Potential type and no width
  // filter; cycleExtension false opens it in a host without its cycle (Periodix) extension.
  ZRDoc& Open(int32_t records = 2, int32_t ticks = 5000, bool cycleExtension = true) {
    OpenOver(CardiacRecording(records, ticks), cycleExtension);
    Set(2000, L"1");
    Set(1036, L"f");
    return *mDoc.Get();
  }
  // The document as the host opens it over a data file of the recording, settings untouched.
  ZRDoc& OpenOver(host::Recording recording, bool cycleExtension = true) {
    mData = host::DataDocument::Create(std::move(recording));
    mData->ExtensionChildren().SetCycleExtensionInstalled(cycleExtension);
    mHost = host::HostDocument::Create(mData);
    EXPECT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
    mDoc.Attach(ZRDoc::FromHostDocument(static_cast<IHostDocument*>(mHost.Get())));
    EXPECT_NE(nullptr, mDoc.Get());
    return *mDoc.Get();
  }
  // The bundled ECG (data/) with the settings scripts/run gives it: its R waves as cardiac peaks.
  ZRDoc& OpenEcg() {
    OpenOver(host::ReadRecordingFile(testsupport::SourcePath("data/ecg_mitbih100_mlii.csv"), {}));
    for (const auto& [id, text] : {std::pair<int32_t, const wchar_t*>{2000, L"1"}, {1006, L"0.0005"}, {1001, L"10"},
                                   {1036, L"f"}, {32, L"t"}})
      Set(id, text);
    return *mDoc.Get();
  }
  void Set(int32_t id, const wchar_t* text) { EXPECT_EQ(S_OK, mDoc->SetSettingText(id, text)) << id; }
  long Value(ZR::Doc::SettingId id) { return mDoc->GetSettings().GetLongValue(id); }
  // A setting of any kind as its stored text.
  std::wstring Text(ZR::Doc::SettingId id) { return mDoc->GetSettings().FindSetting(id)->ToText(true).GetText(); }
  bool Flag(ZR::Doc::SettingId id) { return mDoc->GetSettings().GetBoolSetting(id)->Get(); }
  std::vector<long> Region() {
    return {Value(ZR::Doc::kSettingRegionStartRecord), Value(ZR::Doc::kSettingRegionStartTick),
            Value(ZR::Doc::kSettingRegionEndRecord), Value(ZR::Doc::kSettingRegionEndTick)};
  }
  // Channels each marker object (2023, 2024, 2025) is attached to.
  std::vector<std::vector<int32_t>> Attached() {
    std::vector<std::vector<int32_t>> channels;
    for (const ZR::Doc::SettingId id : ZR::Doc::kSettingsMarkerObjects) {
      const host::DataObject* object = mData->Objects().Find(static_cast<int32_t>(Value(id)), kMarkerObjectKind);
      channels.push_back(object ? object->channels : std::vector<int32_t>{-1});
    }
    return channels;
  }
  // A named command as the host's command line sends it.
  HRESULT SendNamed(const wchar_t* name) {
    ComPtr<IMessageFactory> factory;
    ComPtr<IMessageRouter> router;
    CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IMessageFactory, factory.OutVoid());
    CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_IMessageRouter, router.OutVoid());
    ComPtr<IMsgIdMessageClassObject> command;
    if (!factory || !router || factory->FindByName(name, command.Out()) != S_OK) return E_FAIL;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ComPtr<IMessage> message;
    EXPECT_EQ(S_OK, command->CreateMessage(0, &none, message.Out()));
    return router->Deliver(message.Get(), mDocument.Get());
  }
  HRESULT SendAnalyze() { return SendNamed(L"zr_analyze"); }
  int32_t Events() { return mDoc->GetCycleDetector()->EventCount(); }

  QOR::MessageBoxFunction mPreviousHook = nullptr;
  HostPtr<host::DataDocument> mData;
  HostPtr<host::HostDocument> mHost;
  HostPtr<ICustomDocument2> mDocument;
  HostPtr<ZRDoc> mDoc;
};

}  // namespace doctest
