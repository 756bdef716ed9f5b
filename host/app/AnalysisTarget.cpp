// The selection and the marker objects an analysis needs, checked before it runs.
#include "host/app/AnalysisTarget.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/app/AnalyzeInputs.h"
#include "host/common/HostPtr.h"
#include "host/common/MessageText.h"
#include "hostapi/DataObjects.h"
#include "hostapi/Selection.h"

#include <cwchar>

namespace ondara_host {

namespace {

bool SomethingSelected(host::DataDocument& data) {
  host::HostPtr<IHostSelection> selection;
  if (FAILED(data.GetSelection(selection.Out())) || !selection) return false;
  HostPosition start{}, end{};
  if (selection->GetRange(&start, &end) != S_OK) return false;
  return start.record != end.record || start.tick != end.tick;
}

}  // namespace

std::string AnalysisTargetRefusal(IDocumentSettingsScript* settings, host::DataDocument& data, bool whileSampling) {
  if (!whileSampling && DocumentSettingText(settings, kAnalyseSelectionSetting) == L"t" && !SomethingSelected(data))
    return "nothing is selected, and the analysis is of the selection (setting 2004 = t): select a span with "
           "--select FROM:TO, or analyse the whole channel with --set 2004=f";
  for (const int32_t id : kMarkerObjectSettings) {
    const std::wstring text = DocumentSettingText(settings, id);
    wchar_t* end = nullptr;
    const long object = std::wcstol(text.c_str(), &end, 10);
    if (!text.empty() && *end == 0 && data.Objects().Find(static_cast<int32_t>(object), kMarkerObjectKind)) continue;
    return "setting " + std::to_string(id) + " = " + host::QuoteInput(text) +
           ": the recording has no such object (the analysis keeps its markers in the objects it makes; leave "
           "settings 2023 to 2025 as they are)";
  }
  return std::string();
}

}  // namespace ondara_host
