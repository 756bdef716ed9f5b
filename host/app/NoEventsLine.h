// What the analyze command says when an analysis found no events, or only stimuli without a
// response: what the detector looked for, in the units a user gave it, and what most likely kept
// the events out.
#pragma once

#include "host/data/DataDocument.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/DocumentSettings.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace ondara_host {

// What the analysis found, and what the line needs to say why.
struct AnalysisFindings {
  IDocumentSettingsScript* settings = nullptr;
  host::DataDocument* data = nullptr;       // the recording, and the objects the module made in it
  ICalcEnumClass2* formulaClass = nullptr;  // runs the module's detectors
  int32_t channel = -1;                     // the analysis channel, from 0
  int32_t rows = 0;                         // events: the table's rows, or the peak markers' events
  std::vector<int32_t> typed;               // the settings the options gave (--set, --height)

  bool Typed(int32_t id) const { return std::find(typed.begin(), typed.end(), id) != typed.end(); }
  // The setting's value as the document writes it, and as a number (0 when it reads as none).
  std::wstring Setting(int32_t id) const;
  double SettingNumber(int32_t id) const;
};

// Without events, "found 0 events: ..." for the types that look for a height: the minimum height
// (setting 1006) in the base unit and the channel's own, and what most likely kept the peaks out
// (a height above all the trace spans, or the minimum width); for the stimulated types a stimulus
// not found; for the types that use the host's cycle detector its settings (1010). With events
// of a stimulated type that are all stimuli without a response (as the analysis's own records
// say, whatever columns the table shows), or of Evoked Response whose responses turned over
// outnumber those it found, a line saying so, and of a stimulus height or a minimum height of
// Evoked Response in the noise, that (the stimulus height first); with events of Cardiac Action Potential
// or Action Potential on a trace whose peaks point down, at a minimum height in the noise, or at one
// within the noise's reach of the events' own rise and fall (some of them missed), a line saying
// that; with events of an upward cycle search on a trace whose peaks point down, the same; with
// rows of Cardiac Action Potential or Action Potential that are not all action potentials (JudgeRows),
// that. A height or width the line gives for those types is one whose rows, the analysis run again
// with it, are all action potentials; where none is, the line says why. Empty otherwise.
std::string NoEventsLine(const AnalysisFindings& findings);

}  // namespace ondara_host
