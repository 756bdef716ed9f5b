// When a measurement's cell is blank: the measurement could not be made for that event.
#include "refdocs/ReferenceNotes.h"

namespace refdocs {
namespace {

struct BlankNote {
  int32_t id;
  const char* when;
};

constexpr char kNoStart[] = "the event's start was not found";
constexpr char kNoEnd[] =
    "the event's start was not found; a peak that does not fall back to the peak end level (1041) is still "
    "measured, to the sample before the next event or to the record's last sample";
constexpr char kNoLevel[] = "the fall does not come back to that level before the event's end";
constexpr char kShort[] = "the event is shorter than the five samples the slope is smoothed over";
constexpr char kNoReturn[] = "the signal does not come back to the baseline before the next event";
constexpr char kRise[] = "the rise or the fall does not cross both levels 1017 and 1018";
constexpr char kRiseSlope[] =
    "the rise or the fall does not cross both levels 1017 and 1018, or crosses both between the same two samples "
    "(the crossings are counted in whole samples, so TRise or TFall is then 0)";
constexpr char kNoResponse[] = "a stimulus has no response in its window (1007 to 1008)";

constexpr BlankNote kNotes[] = {
    {0, kNoStart},
    {1, "never"},
    {2,
     "a stimulus has no response in its window (1007 to 1008) and the baseline is searched for (1039 = 0); "
     "otherwise never: without a flat stretch before the event it is taken at the peak's own level"},
    {3, kNoStart},
    {4, kNoResponse},
    {5, kNoResponse},
    {9, kNoEnd},
    {10, "the event has no start or no baseline, or the window 1015 to 1016 lies outside the record"},
    {11, kShort},
    {12, kShort},
    {13, kShort},
    {14, kShort},
    {15, kShort},
    {16, kShort},
    {17, kRise},
    {18, kRise},
    {19, kRiseSlope},
    {20, kRiseSlope},
    {21, kNoReturn},
    {23, kNoLevel},
    {24, kNoLevel},
    {25, kNoLevel},
    {26, kNoLevel},
    {27, kNoLevel},
    {28, kNoLevel},
    {29, kNoLevel},
    {30, kNoLevel},
    {31, kNoLevel},
    {32, "the first event of each record: there is no previous one"},
    {33,
     "the fall does not cross the levels 1029 and 1030, or the exponential does not fit, or the fall between them "
     "has only as many samples as the fit has parameters (3, or 2 with the asymptote held by 1037), which any "
     "exponential fits exactly"},
    {34, kNoLevel},
    {35, kNoLevel},
    {36, kNoLevel},
    {37, kNoLevel},
    {38, kNoLevel},
    {39, kNoLevel},
    {40, kNoLevel},
    {41, kNoLevel},
    {42, kNoLevel},
    {43, "one of its two APDs is blank"},
    {44, "the rise or the fall does not cross the mid plateau level (1013)"},
    {45, "the fall does not come back to 10 % of the height"},
    {46, "the event has no stimulus, or the time 1022 after it lies past the record's end"},
    {47, "the event has no stimulus"},
    {48, "the event has no start, or the window 1020 to 1021 lies outside the record"},
    {49, "the trough or one of the two peaks of the population spike was not found"},
    {50, "the trough or one of the two peaks of the population spike was not found"},
    {52,
     "the event ends sooner than 1031 plus one smoothing block (1032, at least three samples) after its peak, so "
     "no whole block fits in between: 28 of the 36 action potentials of data/neuron_steps.csv (5 + 4 ms)"},
    {53, kNoReturn},
    {54, kNoReturn},
    {55, kNoReturn},
    {56, kNoEnd},
    {57, kNoEnd},
    {58, "never"},
};

}  // namespace

const char* BlankWhen(int32_t parameterId) noexcept {
  for (const BlankNote& note : kNotes) {
    if (note.id == parameterId) return note.when;
  }
  return nullptr;
}

}  // namespace refdocs
