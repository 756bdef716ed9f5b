// The message class objects of "ZR_Analyze", "ZR_TableView_CopyToDataPad" and
// "ZR_ClearAnalysis", built here in that order so the message class list meets them newest first.
#include "hostclient/NamedCommands.h"

#include "hostclient/DocViewIds.h"

namespace {

const QOR::MessageClassInfo kAnalyzeInfo = {
    &DocIds::AnalyzeMessage::GetId, L"ZR_Analyze", L"Ondara",
    L"Performs a Ondara on the current analysis channel using the current mode: "
    L"Whole-channel or Selection.",
    0, L"", L""};
const QOR::MessageClassInfo kCopyToDataPadInfo = {
    &DocIds::CopyToDataPadMessage::GetId, L"ZR_TableView_CopyToDataPad", L"Ondara",
    L"Copies data from the selected rows in the Ondara Table View to the Data Pad.", 0, L"", L""};
const QOR::MessageClassInfo kClearAnalysisInfo = {
    &DocIds::ClearAnalysisMessage::GetId, L"ZR_ClearAnalysis", L"Ondara",
    L"Clears the analysis on the current analysis channel using the current mode: "
    L"Whole-channel or Selection.",
    0, L"", L""};

// One translation unit, so construction (and list) order is fixed.
QOR::MsgIdMessageClassObject gAnalyze(kAnalyzeInfo);
QOR::MsgIdMessageClassObject gCopyToDataPad(kCopyToDataPadInfo);
QOR::MsgIdMessageClassObject gClearAnalysis(kClearAnalysisInfo);

}  // namespace

QOR::MsgIdMessageClassObject& NamedCommandClassObject(NamedCommand command) noexcept {
  switch (command) {
    case NamedCommand::Analyze:
      return gAnalyze;
    case NamedCommand::CopyToDataPad:
      return gCopyToDataPad;
    case NamedCommand::ClearAnalysis:
      break;
  }
  return gClearAnalysis;
}
