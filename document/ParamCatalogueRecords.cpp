// The catalogue's records: for each analysis type the measurements its chain computes, in the
// order the views, the table options and the channel calculation show them.
#include "document/ParamCatalogue.h"

#include <cstdint>

namespace ZR::Doc {
namespace {

struct RecordText {
  int type;
  const wchar_t* shortName;
  int32_t id;
  const wchar_t* longName;
  uint8_t flag;
  const wchar_t* description;
};

// The same parameter id is the same quantity in every type (a column chosen under one type
// keeps its place under another), though the names may differ.
constexpr RecordText kRecords[] = {
    // Type 0: 33 records.
    {0, L"Baseline", 2, L"Baseline", 0,
     L"Average signal level in a flat region before the start of the peak."},
    {0, L"TStart", 0, L"Start Time", 1,
     L"Time interval from the start of the analysis region in the current block to the "
     L"start of the peak."},
    {0, L"TEnd", 57, L"End Time", 1,
     L"Time interval from the start of the analysis region in the current block to the end "
     L"of the peak."},
    {0, L"Width", 9, L"Peak Width", 0,
     L"Time interval from the start to the end of the peak."},
    {0, L"Height", 5, L"Height", 0,
     L"Signal level minus the baseline, at the peak."},
    {0, L"TimeToPeak", 3, L"Time to Peak", 0,
     L"Time interval from the start to the maximum (or minimum) of the peak."},
    {0, L"APeak", 4, L"Value at Peak", 0,
     L"Signal level at the peak (not relative to baseline)."},
    {0, L"PeakArea", 56, L"Peak Area", 0,
     L"Area between the baseline and the signal for the whole peak."},
    {0, L"MaxSlope", 11, L"Max Slope", 0,
     L"Maximum smoothed slope over the whole peak. Uses five-point linear least squares."},
    {0, L"MinSlope", 12, L"Min Slope", 0,
     L"Minimum smoothed slope over the whole peak. Uses five-point linear least squares."},
    {0, L"TMaxSlope", 13, L"Time at Max Slope", 0,
     L"Time interval from the start of the peak to the position with maximum slope."},
    {0, L"TMinSlope", 14, L"Time at Min Slope", 0,
     L"Time interval from the start of the peak to the position with minimum slope."},
    {0, L"AMaxSlope", 15, L"Value at Max Slope", 0,
     L"Signal level at the position in the peak that has maximum smoothed slope (not "
     L"relative to baseline)."},
    {0, L"AMinSlope", 16, L"Value at Min Slope", 0,
     L"Signal level at the position in the peak that has minimum smoothed slope (not "
     L"relative to baseline)."},
    {0, L"TRise", 17, L"Rise Time", 1,
     L"Time interval for the peak to rise between two user specified thresholds."},
    {0, L"TFall", 18, L"Fall Time", 1,
     L"Time interval for the peak to fall between two user specified thresholds."},
    {0, L"SlopeRise", 19, L"Rise Slope", 1,
     L"Slope of the line joining the crossing points for TRise."},
    {0, L"SlopeFall", 20, L"Fall Slope", 1,
     L"Slope of the line joining the crossing points for TFall."},
    {0, L"Width10", 23, L"Width at 10%", 0,
     L"Time interval from first to last crossing of 10% of the height."},
    {0, L"Width20", 24, L"Width at 20%", 0,
     L"Time interval from first to last crossing of 20% of the height."},
    {0, L"Width30", 25, L"Width at 30%", 0,
     L"Time interval from first to last crossing of 30% of the height."},
    {0, L"Width40", 26, L"Width at 40%", 0,
     L"Time interval from first to last crossing of 40% of the height."},
    {0, L"Width50", 27, L"Width at Half Height", 0,
     L"Time interval from first to last crossing of 50% of the height."},
    {0, L"Width60", 28, L"Width at 60%", 0,
     L"Time interval from first to last crossing of 60% of the height."},
    {0, L"Width70", 29, L"Width at 70%", 0,
     L"Time interval from first to last crossing of 70% of the height."},
    {0, L"Width80", 30, L"Width at 80%", 0,
     L"Time interval from first to last crossing of 80% of the height."},
    {0, L"Width90", 31, L"Width at 90%", 0,
     L"Time interval from first to last crossing of 90% of the height."},
    {0, L"TailOvershoot", 21, L"Tail Overshoot", 0,
     L"Maximum deviation from baseline, from the end of the peak to the next baseline crossing."},
    {0, L"Tau", 33, L"Tau", 1,
     L"Time constant in a decaying exponential fit to the tail of the peak."},
    {0, L"Area", 10, L"Area", 1,
     L"Area between the baseline and the signal, over a user configurable region."},
    {0, L"Slope", 48, L"Slope", 1,
     L"Slope of a line fitted to the signal over a configurable region."},
    {0, L"Period", 32, L"Period", 0,
     L"Time interval from the previous peak to this one."},
    {0, L"TimeDate", 58, L"Time and Date at Start", 0,
     L"Time and date stamp at the start of the peak. The format matches the Kymora display "
     L"settings."},
    // Type 1: 22 records.
    {1, L"RMP", 2, L"Resting Membrane Potential", 0,
     L"Average signal level in a flat region before the action potential."},
    {1, L"APA", 5, L"Action Potential Amplitude", 0,
     L"Peak signal level, relative to the baseline."},
    {1, L"Max dV/dt", 11, L"Max dV/dt", 0,
     L"Maximum smoothed slope over the whole action potential. Uses five-point linear "
     L"least squares."},
    {1, L"MaxNegSlope", 52, L"Max Negative Slope", 1,
     L"Largest negative slope in a configurable region."},
    {1, L"APD10", 34, L"Action Potential Duration at 10% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 10% of its height."},
    {1, L"APD20", 35, L"Action Potential Duration at 20% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 20% of its height."},
    {1, L"APD30", 36, L"Action Potential Duration at 30% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 30% of its height."},
    {1, L"APD40", 37, L"Action Potential Duration at 40% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 40% of its height."},
    {1, L"APD50", 38, L"Action Potential Duration at 50% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 50% of its height."},
    {1, L"APD60", 39, L"Action Potential Duration at 60% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 60% of its height."},
    {1, L"APD70", 40, L"Action Potential Duration at 70% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 70% of its height."},
    {1, L"APD80", 41, L"Action Potential Duration at 80% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 80% of its height."},
    {1, L"APD90", 42, L"Action Potential Duration at 90% Repolarization", 0,
     L"Time interval from the start of the action potential to where the action potential "
     L"has dropped by 90% of its height."},
    {1, L"Triangulation", 43, L"Triangulation", 1,
     L"Difference between two configurable APD values."},
    {1, L"PlateauV1", 44, L"Plateau Voltage (Method 1)", 1,
     L"Average signal between two configurable threshold crossings."},
    {1, L"PlateauV2", 45, L"Plateau Voltage (Method 2)", 0,
     L"Average signal over a configurable range after the peak."},
    {1, L"TStart", 0, L"Start Time", 1,
     L"Time interval from the start of the analysis region in the current block to the "
     L"start of the action potential."},
    {1, L"TRise", 17, L"Rise Time", 1,
     L"Time interval for the peak to rise between two user specified thresholds."},
    {1, L"TFall", 18, L"Fall Time", 1,
     L"Time interval for the peak to fall between two user specified thresholds."},
    {1, L"Count", 1, L"Count", 0,
     L"Action potential index, counting from the start of the analysis region in the "
     L"current block."},
    {1, L"Period", 32, L"Period", 0,
     L"Time interval from the previous action potential to this one."},
    {1, L"TimeDate", 58, L"Time and Date of Occurrence", 0,
     L"Time and date stamp at the start of the action potential. The format matches the "
     L"Kymora display settings."},
    // Type 5: 18 records.
    {5, L"RMP", 2, L"Resting Membrane Potential", 0,
     L"Average signal level in a flat region before the start of the action potential."},
    {5, L"TimeToPeak", 3, L"Time to Peak", 0,
     L"The time from the start of the action potential to the maximum."},
    {5, L"APA", 5, L"Action Potential Amplitude", 0,
     L"The signal level minus the baseline at the action potential's maximum."},
    {5, L"Max dV/dt", 11, L"Max dV/dt", 0,
     L"Maximum smoothed slope over the whole action potential. Uses five-point linear "
     L"least squares."},
    {5, L"MaxNegSlope", 52, L"Max Negative Slope", 1,
     L"Largest negative slope in a configurable region."},
    {5, L"Width50", 27, L"Width at Half Height", 0,
     L"Time interval from first to last crossing of 50% of the height."},
    {5, L"Width", 9, L"Positive Peak Width", 0,
     L"Time interval from the start to the end of the positive peak (excluding AHP)."},
    {5, L"PeakArea", 56, L"Area of Positive Peak", 0,
     L"Area between the baseline and the signal, for the whole positive peak (excluding AHP)."},
    {5, L"AHPAmplitude", 21, L"AHP Amplitude", 0,
     L"Maximum deviation from the baseline, in the afterhyperpolarization (AHP) region."},
    {5, L"AHPWidth", 53, L"AHP Width", 0,
     L"Time interval from the start to the end of the afterhyperpolarization (AHP) region."},
    {5, L"AHPArea", 54, L"AHP Area", 0,
     L"Area between the baseline and the signal, in the afterhyperpolarization (AHP) region."},
    {5, L"APDtot", 55, L"Total Action Potential Duration", 0,
     L"Time interval from the start of the action potential to the end of the AHP region."},
    {5, L"TStart", 0, L"Start Time", 1,
     L"Time interval from the start of the analysis region in the current block to the "
     L"start of the action potential."},
    {5, L"TRise", 17, L"Rise Time", 1,
     L"Time interval for the peak to rise between two user specified thresholds."},
    {5, L"TFall", 18, L"Fall Time", 1,
     L"Time interval for the peak to fall between two user specified thresholds."},
    {5, L"Count", 1, L"Count", 0,
     L"Action potential index, counting from the start of the analysis region in the "
     L"current block."},
    {5, L"Period", 32, L"Period", 0,
     L"Time interval from the previous action potential to this one."},
    {5, L"TimeDate", 58, L"Time and Date of Occurrence", 0,
     L"The time and date stamp at the start of the action potential. The format matches "
     L"the Kymora display settings."},
    // Type 2: 10 records.
    {2, L"Baseline", 2, L"Baseline", 0,
     L"Average signal level in a flat region before the start of the peak."},
    {2, L"TStart", 0, L"Start Time", 1,
     L"Time interval from the start of the analysis region in the current block to the "
     L"start of the peak."},
    {2, L"TimeToPeak", 3, L"Time to Peak", 0,
     L"Time interval from the start to the maximum (or minimum) of the peak."},
    {2, L"Slope", 48, L"Slope", 1,
     L"Slope of a line fitted to the signal over a configurable region."},
    {2, L"Height", 5, L"Height", 0,
     L"Signal level minus the baseline, at the peak."},
    {2, L"Width50", 27, L"Width at Half Height", 0,
     L"Time interval from first to last crossing of 50% of the height."},
    {2, L"PeakArea", 56, L"Peak Area", 0,
     L"Area between the baseline and the signal, for the whole peak."},
    {2, L"Area", 10, L"Area", 1,
     L"Area between the baseline and the signal, over a user configurable region."},
    {2, L"Tau", 33, L"Tau", 1,
     L"Time constant in a decaying exponential fit to the tail of the peak."},
    {2, L"TimeDate", 58, L"Time and Date of TStart", 0,
     L"The time and date stamp at the start of the peak. The format matches the Kymora "
     L"display settings."},
    // Type 3: 14 records.
    {3, L"Baseline", 2, L"Baseline", 0,
     L"Average signal level in a flat region before the start of the response."},
    {3, L"TStart", 0, L"Start Time", 1,
     L"Time interval from the start of the analysis region in the current block to the "
     L"start of the response."},
    {3, L"TRise", 17, L"Rise Time", 1,
     L"Time interval for the peak to rise between two user specified thresholds."},
    {3, L"TFall", 18, L"Fall Time", 1,
     L"Time interval for the peak to fall between two user specified thresholds."},
    {3, L"TimeToPeak", 3, L"Time to Peak", 0,
     L"Time interval from the start to the peak."},
    {3, L"Latency", 47, L"Latency", 0,
     L"Time interval from the stimulus artifact to the start of the response."},
    {3, L"Area", 10, L"Area", 1,
     L"Area between the baseline and the signal, over a user configurable region."},
    {3, L"ResponseArea", 56, L"Response Area", 0,
     L"Area between the baseline and the signal for the whole response."},
    {3, L"Width50", 27, L"Width at Half Height", 0,
     L"Time interval from first to last crossing of 50% of the height."},
    {3, L"Height", 5, L"Height", 0,
     L"Signal level minus the baseline, at the peak."},
    {3, L"Value", 46, L"Value", 1,
     L"Signal level at a configurable time after the stimulus artifact."},
    {3, L"Slope", 48, L"Slope", 1,
     L"Slope of a line fitted to the signal over a configurable region."},
    {3, L"Tau", 33, L"Tau", 1,
     L"Time constant in a decaying exponential fit to the tail of the response."},
    {3, L"TimeDate", 58, L"Time and Date of TStart", 0,
     L"The time and date stamp at the start of the response. The format matches the Kymora "
     L"display settings."},
    // Type 4: 6 records.
    {4, L"TStart", 0, L"Start Time", 0,
     L"Time interval from the start of the analysis region in the current block to the "
     L"first peak in the population spike."},
    {4, L"Value", 46, L"Value", 1,
     L"Signal level at a configurable time after the stimulus artifact."},
    {4, L"PopSpikeHeight", 49, L"Population Spike Height", 0,
     L"Height of the population spike, from the trough to the line joining the two peaks."},
    {4, L"PopSpikeArea", 50, L"Population Spike Area", 0,
     L"Area of the population spike."},
    {4, L"Slope", 48, L"Slope", 1,
     L"Slope of a line fitted to the signal over a configurable region."},
    {4, L"TimeDate", 58, L"Time and Date of TStart", 0,
     L"The time and date stamp at the first peak of the population spike. The format "
     L"matches the Kymora display settings."},
};

}  // namespace

void BuildParamCatalogue(std::unique_ptr<ParamCatalogue>& holder) {
  holder = std::make_unique<ParamCatalogue>();
  for (const RecordText& text : kRecords) {
    ParamRecord record;
    record.shortName = text.shortName;
    record.longName = text.longName;
    record.description = text.description;
    record.id = text.id;
    record.flag = text.flag;
    holder->AddParamRecord(text.type, record);
  }
}

}  // namespace ZR::Doc
