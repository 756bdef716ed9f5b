// The Analysis View and the Table View's headings while the host samples into an empty data file:
// the channel's unit and prefix, the plot's scale and every status value read as they do when
// the finished recording is analysed; so does the unit the host's own view gives the events.
#include "views/AnalysisView.h"

#include "document/AnalysisChannelUnit.h"
#include "document/AnalysisViewData.h"
#include "document/CycleDetector.h"
#include "host/data/Sampler.h"
#include "tests/views/AnalysisViewFixture.h"
#include "views/AnalysisPlot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using avtest::AnalysisViewTest;

// Everything a user reads that carries the channel's unit, for the fourth event.
std::vector<std::wstring> UnitsShown(ZR::Doc::ZRDoc& doc, AnalysisView& view) {
  doc.SetCurrentEvent(3, 0);
  std::vector<std::wstring> shown{view.Plot()->YUnits().GetText(), std::to_wstring(view.Plot()->YScale()),
                                  avtest::StatusOf(view.StatusText())};
  const size_t calculations = doc.GetAnalysisViewData().CalculationNames().size();
  for (size_t i = 0; i < calculations; ++i)
    shown.push_back(doc.GetAnalysisViewData().ValueText(static_cast<int32_t>(i)).GetText());
  QOR::UnitWithPrefix hostDrawing;  // the unit the host's view gives an event's height
  ZR::Doc::AnalysisChannelUnit(doc.DataFile(), 0, hostDrawing);
  shown.push_back(QOR::FormatUnitPrefix(hostDrawing));
  const ZR::Doc::CycleDetector* const detector = doc.GetCycleDetector();
  for (int32_t column = 0; column < detector->ColumnCount(); ++column)
    shown.push_back(detector->GetColumnHeaderText(column).GetText());
  return shown;
}

TEST_F(AnalysisViewTest, WhileSamplingTheUnitsAndValuesAreThoseOfTheOfflineAnalysis) {
  const std::vector<std::wstring> offline = UnitsShown(*mDoc.Get(), OpenView());
  ASSERT_EQ(L"mV", offline[0]);
  ASSERT_NE(std::wstring::npos, offline[2].find(L" mV, Event 4 of 10.")) << offline[2];

  // The same recording sampled into a data file with its channels and no records yet.
  site->CloseAll();
  avtest::Pump();
  mHost->CloseChildDocuments();
  const host::Recording recording = doctest::CardiacRecording(2, 6300);
  host::Recording empty;
  empty.channels = recording.channels;
  OpenOver(std::move(empty));
  Set(1036, L"f");
  Set(2009, L"t");
  AnalysisView& view = ShowView(false, L"1");
  ASSERT_EQ(S_OK, host::SampleRecording(mData.Get(), recording, 500));
  EXPECT_EQ(offline, UnitsShown(*mDoc.Get(), view));
}

}  // namespace
