// TVF_TableView: the host's print and preview commands, one printout per printed grid.
#include "grid/TVF_TableView.h"

#include "base/OFormatStream.h"
#include "base/String.h"
#include "grid/GridPrintout.h"
#include "grid/GridSelection.h"
#include "grid/GridStringIds.h"
#include "hostapi/HostApplication.h"
#include "hostapi/ViewPrinting.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostDocumentTitle.h"
#include "platform/owl/TModule.h"

#include <utility>
#include <vector>

using TVF_Grid::EventGridControl;

namespace {

ComPtr<IHostPrintService> HostPrintService() {
  ComPtr<IHostPrintService> service;
  ComPtr<IHostPrintFrame> frame;
  IHostApplication* const application = GetHostApplication();
  if (application &&
      SUCCEEDED(application->QueryInterface(IID_IHostPrintFrame, reinterpret_cast<void**>(frame.Out()))))
    frame->GetPrintService(service.Out());
  return service;
}

// Only rows the user chose print alone: the current event's row is kept selected by the program.
bool HasBlock(const EventGridControl& grid) { return grid.PrintedSelection() != nullptr; }

}  // namespace

QOR::String TVF_TableView::PrintTitle(uint32_t section) const {
  QOR::String view;
  if (ITableDataManager* const data = mMain->DataManager()) data->GetViewName(0, QOR::StringOutParam(view));
  const UINT rows = section == kTableSummarySection ? IDS_GRID_PRINT_SUMMARY_ROWS : IDS_GRID_PRINT_EVENT_ROWS;
  QOR::OFormatStringStream title(QOR::String(OWL::TModule::Default().LoadString(rows).c_str()));
  title << DocumentViewTitle(HostDocument().Get(), view).GetText();
  return title.str();
}

void TVF_TableView::PrintGrids(bool preview) {
  ComPtr<IHostPrintService> service = HostPrintService();
  if (!service) return;
  std::vector<std::pair<EventGridControl*, uint32_t>> grids;
  if (!(mLayoutFlags & kLayoutWholeGridPrinting)) {
    if (HasBlock(*mMain)) grids.emplace_back(mMain, kTableMainSection);
    if (HasBlock(*mSummary)) grids.emplace_back(mSummary, kTableSummarySection);
  }
  if (grids.empty()) {
    grids.emplace_back(mMain, kTableMainSection);
    if (mSummaryShown) grids.emplace_back(mSummary, kTableSummarySection);
  }
  const bool rowNumbers = (mLayoutFlags & kLayoutRowNumbers) != 0;
  const bool headings = (mLayoutFlags & kLayoutHeadings) != 0;
  for (const auto& [grid, section] : grids) {
    ComPtr<ILumoPrintoutEx> printout =
        TVF_Grid::GridPrintout::Create(*grid, PrintTitle(section), section, grid->DataManager(), rowNumbers, headings);
    if (!printout) continue;
    // The print service shows its own failures.
    if (preview)
      service->Preview(printout.Get());
    else
      service->Print(printout.Get(), 1);
  }
}
