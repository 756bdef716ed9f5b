// The width filter, the response peak detector, the per-record stimulus and the per-cycle converter run through
// the host's formula class, against independent references, and online in uneven blocks against offline.
#include "tests/host/FormulaChainFixture.h"

#include "hostapi/ChildDocumentList.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/PXDetectionSettings.h"
#include "hostapi/TypeRegistry.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace host {
namespace {

// Reference lines without the comment lines, split into fields.
std::vector<std::vector<std::string>> ReadTable(const char* name) {
  std::ifstream in(testsupport::SourcePath(std::string("tests/data/") + name));
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string f; fields >> f;) rows.back().push_back(f);
  }
  return rows;
}


class DetectorChainTest : public FormulaChainFixture {};

// The signal of tests/data/cappwf_widths.py: flat 0 with linear peaks of growing fall.
std::vector<float> WidthSignal() {
  std::vector<float> x(20000, 0.0f);
  for (int k = 0; k < 16; ++k) {
    const double c = 1000 + 1200 * k, h = 1.0 + 0.05 * k, r = 10.0, f = 10.0 + 8 * k;
    for (int t = static_cast<int>(c - r); t <= static_cast<int>(c + f); ++t)
      x[t] = static_cast<float>(t <= c ? h * (t - (c - r)) / r : h * (1.0 - (t - c) / f));
  }
  return x;
}

TEST_F(DetectorChainTest, WidthFilterKeepsThePeaksWideEnoughAtHalfHeight) {
  const auto reference = ReadTable("cappwf_widths.txt");
  ASSERT_EQ(reference.size(), 16u) << "tests/data/cappwf_widths.txt not read";
  HostPtr<DataDocument> document = SamplesDocument(WidthSignal(), 0.001);
  // 38 ms: a width of exactly 38 ticks passes; 40 ms: it does not.
  for (const int minWidth : {38, 40}) {
    std::vector<int> want;
    for (const auto& row : reference)
      if (std::atoi(row[3].c_str()) >= minWidth) want.push_back(std::atoi(row[0].c_str()));
    const std::wstring formula =
        L"cappwf(ch1, calcbase(ch1, cappeakdet(ch1, 0.3)), " + std::to_wstring(minWidth) + L")";
    std::vector<int> got;
    for (const Event& e : ParseEvents(RunEverywhere(document.Get(), formula))) {
      EXPECT_EQ(Int(e, "kind"), 2);
      got.push_back(Int(e, "tick"));
    }
    EXPECT_EQ(got, want) << minWidth;
  }
}

// The host keeps the samples in base units: the stimulus step is 1 nA (1e-9 A), the action potential's rise and
// fall at least 20 mV (0.02 V).
TEST_F(DetectorChainTest, EvokedActionPotentialsAndTheirLatencies) {
  const auto reference = ReadTable("evoked_ap_reference.txt");
  ASSERT_EQ(reference.size(), 20u) << "tests/data/evoked_ap_reference.txt not read";
  HostPtr<DataDocument> document = RealDocument("data/evoked_ap.csv");
  const std::wstring formula =
      L"CalcBulk(ch2, CalcBase2(ch2, calcamax(ch2, calcbase(ch2, "
      L"erpeakdet(ch2, erstimdet(ch1, 1e-9, 5, 0, 5, 0), 0.02, 0, 1)))))";
  const auto events = ParseEvents(RunEverywhere(document.Get(), formula));
  ASSERT_EQ(events.size(), reference.size());
  for (size_t i = 0; i < events.size(); ++i) {
    const Event& e = events[i];
    const auto& want = reference[i];
    EXPECT_EQ(Int(e, "stimulusTick"), std::atoi(want[1].c_str())) << "pulse " << i;
    if (want[2] == "-") {
      EXPECT_EQ(e.at("m47"), "") << "pulse " << i << ": the stimulus alone, no latency";
      continue;
    }
    EXPECT_EQ(Int(e, "maxTick"), std::atoi(want[2].c_str())) << "pulse " << i;
    // The module's baseline is its flattest stretch, the reference's a mean: the start may move by 3 ticks.
    EXPECT_NEAR(Int(e, "peakStartTick"), std::atoi(want[3].c_str()), 3) << "pulse " << i;
    EXPECT_NEAR(std::atof(e.at("m47").c_str()), std::atof(want[4].c_str()), 3 * 40e-6 + 1e-9) << "pulse " << i;
  }
}

TEST_F(DetectorChainTest, StimulusPerRecordAndResponsePeaksOnlineAsOffline) {
  const auto reference = ReadTable("evoked_epsc_artefacts.txt");
  ASSERT_EQ(reference.size(), 3u) << "tests/data/evoked_epsc_artefacts.txt not read";
  HostPtr<DataDocument> document = RealDocument("tests/data/recordings/evoked_epsc.csv");
  // A window of 150 ms after the stimulus at 50 ms reaches the first stimulus artefact, one of 100 ms does not.
  for (const int window : {150, 100}) {
    const std::wstring formula = L"erpeakdet(ch1, erstimsob(50), 1e-9, 0, " + std::to_wstring(window) + L")";
    std::map<int, std::vector<Event>> byRecord;
    for (const Event& e : ParseEvents(RunEverywhere(document.Get(), formula))) byRecord[Int(e, "record")].push_back(e);
    ASSERT_EQ(byRecord.size(), 3u) << window;
    for (const auto& row : reference) {
      const std::vector<Event>& list = byRecord[std::atoi(row[0].c_str())];
      ASSERT_EQ(list.size(), window == 150 ? 2u : 1u) << "record " << row[0];
      EXPECT_EQ(Int(list[0], "tick"), 1000) << "record " << row[0];  // 50 ms at 20 kHz
      EXPECT_EQ(Int(list[0], "kind"), 1);
      if (window == 100) continue;
      EXPECT_EQ(Int(list[1], "kind"), 2);
      EXPECT_EQ(Int(list[1], "tick"), std::atoi(row[1].c_str()));
      EXPECT_NEAR(std::atof(list[1].at("value").c_str()), std::atof(row[2].c_str()) * 1e-12, 1e-16);
    }
  }
}

TEST_F(DetectorChainTest, ConverterPlacesCyclesAtTheirPeakWithTheHeightThere) {
  // One cycle crossing 1.0 between 0.4 at tick 1200 and 1.4 at tick 1201, its peak 2.0 at tick 1202.
  std::vector<float> x(3000, 0.0f);
  x[1200] = 0.4f;
  x[1201] = 1.4f;
  x[1202] = 2.0f;
  x[1203] = 0.2f;
  HostPtr<DataDocument> document = SamplesDocument(x, 0.001);
  const std::wstring detector = L"PXDetect(ch1, 0, 0.5, 1, 5, 0, 0)";
  const auto cycles = ParseEvents(RunEverywhere(document.Get(), detector));
  ASSERT_EQ(cycles.size(), 1u);
  EXPECT_EQ(Int(cycles[0], "tick"), 1202);
  EXPECT_EQ(std::atof(cycles[0].at("fraction").c_str()), 0.0);
  EXPECT_EQ(std::atof(cycles[0].at("value").c_str()), 2.0);
  const auto peaks = ParseEvents(RunEverywhere(document.Get(), L"pcc(ch1, " + detector + L")"));
  ASSERT_EQ(peaks.size(), 1u);
  EXPECT_EQ(Int(peaks[0], "tick"), 1202);
  EXPECT_EQ(std::atof(peaks[0].at("fraction").c_str()), 0.0);
  EXPECT_EQ(std::atof(peaks[0].at("value").c_str()), 2.0);  // the sample at the peak
  EXPECT_EQ(Int(peaks[0], "kind"), 2);
}

// The host's detector on real spontaneous currents: downward cycles of a few standard deviations, each converted
// and measured by the module's chain, online as offline.
TEST_F(DetectorChainTest, PerCycleChainFindsSynapticEventsOnARealRecording) {
  HostPtr<DataDocument> document = RealDocument("tests/data/recordings/synaptic_records.csv");
  const std::wstring formula =
      L"CalcBulk(ch1, CalcBase2(ch1, calcamax(ch1, calcbase(ch1, pcc(ch1, PXDetect(ch1, 1, 0.5, 4, 5, 50, 1))))))";
  const auto events = ParseEvents(RunEverywhere(document.Get(), formula));
  std::map<int, int> perRecord;
  for (const Event& e : events) ++perRecord[Int(e, "record")];
  ASSERT_EQ(perRecord.size(), 3u);
  for (const auto& [record, count] : perRecord) {
    EXPECT_GT(count, 2) << record;  // 5 to 40 spontaneous events a second, in 0.5 s
    EXPECT_LT(count, 20) << record;
  }
}

// Every data document carries the cycle extension's preset service where the module looks for it: child 0 of
// the extension's class in the document's child list.
TEST_F(DetectorChainTest, DataDocumentCarriesTheDetectionSettingsService) {
  HostPtr<DataDocument> document = SamplesDocument(std::vector<float>(10), 0.001);
  HostPtr<ITypeRegistry> types;
  ASSERT_EQ(CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, IID_ITypeRegistry,
                             reinterpret_cast<void**>(types.Out())),
            S_OK);
  uint16_t index = 0;
  ASSERT_EQ(types->RegisterGuid(&PXChildClassGUID, &index), S_OK);
  HostPtr<IHostChildDocumentList> children = document.As<IHostChildDocumentList>(IID_IHostChildDocumentList);
  ASSERT_TRUE(children);
  HostPtr<IUnknown> child, again;
  const uint32_t typeId = static_cast<uint32_t>(index) << 16;
  ASSERT_EQ(children->GetChildObject(typeId, 0, child.Out()), S_OK);
  children->GetChildObject(typeId, 0, again.Out());
  EXPECT_EQ(child.Get(), again.Get());  // one service per document
  EXPECT_EQ(children->GetChildObject(typeId, 1, again.Out()), E_FAIL);
  EXPECT_EQ(children->GetChildObject(typeId + 1, 0, again.Out()), E_FAIL);
  HostPtr<IPXPresetService> service = child.As<IPXPresetService>(IID_IPXPresetService);
  ASSERT_TRUE(service);
  HostPtr<IPXDetectionSettings> settings;
  EXPECT_EQ(service->CreateSettings(settings.Out()), S_OK);
}

}  // namespace
}  // namespace host
