// The name, unit and meaning of every setting the analysis document keeps.
#include "refdocs/ReferenceNotes.h"

#include "document/ZRSetting.h"

namespace refdocs {
namespace {

constexpr char kBase[] = "base unit";  // the channel's unit without its prefix: V, A, ...

using ZR::Doc::TypeBit;

constexpr SettingNote kNotes[] = {
    // Stimulus detection (Evoked Response, Population Spike).
    {1000, "Stimulus detection method", "",
     "How the stimulus is found on the analysis channel: 2 at a fixed time in each record (1005); 3 a pulse "
     "at least as high as 1002 (1028) and at most 1003 wide; 4 as 3, at most one per record, after 1004; 5 none"},
    {1001, "Minimum width at half height", "ms",
     "Cardiac Action Potential: peaks narrower at half height are dropped while the width filter (1036) is on; "
     "with it off, a peak counts only when its fall by 1006 from the top takes at least half of this (1: every "
     "peak whose fall takes half a millisecond, 0: every peak)"},
    {1002, "Minimum stimulus height", kBase,
     "Evoked Response: the smallest step, up or down and back, that is a stimulus pulse; a response that rises and "
     "falls by as much within 1003 is one too, later than 1027 after its stimulus (docs/columns.md, under Evoked "
     "Response)"},
    {1003, "Maximum stimulus width", "ms", "The widest pulse that is a stimulus (methods 3 and 4)"},
    {1004, "Stimulus search start", "ms",
     "Method 4: pulses within this time from the start of the record are not stimuli"},
    {1005, "Stimulus position", "ms", "Method 2: the stimulus is at this time from the start of each record"},
    {1006, "Minimum peak height", kBase,
     "The smallest rise of a peak (Cardiac Action Potential and Action Potential) or of a response (Evoked "
     "Response, with 1009 on): 0.05 for 50 mV",
     TypeBit(5)},
    {1007, "Detection start", "ms",
     "Evoked Response: the response is searched from this time after the stimulus; Population Spike: the spike",
     TypeBit(4)},
    {1008, "Detection end", "ms", "... and up to this time after the stimulus", TypeBit(4)},
    {1009, "Use height and window", "",
     "Evoked Response: the response detector takes 1006, 1007 and 1008 (f: height 1, window 0 to 0)"},
    {1010, "Detection settings", "",
     "General - Unstimulated and Synaptic: the host's cycle detector as one text, see below"},
    {1011, "Triangulation start", "%", "Triangulation is APD(1012) minus APD(1011): an APD level, 10 to 90"},
    {1012, "Triangulation end", "%", "The later APD level of Triangulation, 10 to 90"},
    {1013, "Mid plateau level", "%",
     "PlateauV1 is centred between the rise's and the fall's crossings of this percentage of the height"},
    {1014, "PlateauV1 width", "ms", "The span PlateauV1 averages over"},
    {1015, "Area start", "ms", "Area: from this time after the event ..."},
    {1016, "Area end", "ms", "... to this time after the event"},
    {1017, "Rise start", "%", "TRise and SlopeRise start where the rise crosses this percentage of the height"},
    {1018, "Rise end", "%", "... and end where it crosses this one; TFall and SlopeFall use the two on the fall"},
    {1019, "Tau fit (older form)", "", "Read only from older settings, as tau mode 1 (t) or 0 (f)"},
    {1020, "Slope start", "ms", "Slope: the fitted line starts this time after the event ...",
     TypeBit(2) | TypeBit(3) | TypeBit(4)},
    {1021, "Slope end", "ms", "... and ends this time after it", TypeBit(2) | TypeBit(3) | TypeBit(4)},
    {1022, "Value time", "ms", "Value: the signal this time after the stimulus", TypeBit(4)},
    {1023, "Population Spike time 1", "ms", "Kept for the settings dialog; no measurement reads it"},
    {1024, "Population Spike time 2", "ms", "Kept for the settings dialog; no measurement reads it"},
    {1025, "Plateau centre", "%",
     "PlateauV2 is centred this percentage of the way from the start to the fall's 10 % crossing"},
    {1026, "PlateauV2 width", "ms", "The span PlateauV2 averages over"},
    {1027, "Minimum stimulus interval", "ms",
     "A pulse this soon after the last stimulus is not a stimulus; counted in whole samples, so a train at "
     "exactly this interval loses stimuli to one sample of jitter: give a little less (9.9 for 100 Hz), and no less "
     "where responses are as large as 1002"},
    {1028, "Minimum stimulus height", kBase, "Population Spike: as 1002"},
    {1029, "Tau start", "%", "Tau: the fit starts where the fall crosses this percentage of the height ..."},
    {1030, "Tau end", "%", "... and ends where it crosses this one"},
    {1031, "MaxNegSlope start", "ms", "MaxNegSlope is searched from this time after the peak to its end"},
    {1032, "MaxNegSlope smoothing", "ms", "The blocks (at least three samples) whose fitted slopes MaxNegSlope compares"},
    {1033, "Peak start level", "%",
     "A peak starts where the signal last leaves this percentage of the height before the peak"},
    {1034, "Peak start level (Action Potential)", "%", "Action Potential: as 1033"},
    {1035, "Minimum width at half height (Action Potential)", "ms", "Action Potential: as 1001"},
    {1036, "Width filter", "",
     "Cardiac Action Potential and Action Potential: t drops peaks narrower than 1001 (1035) at half height; f "
     "leaves 1001 (1035) to the detector, which still drops a peak whose fall by 1006 takes less than half of it"},
    {1037, "Tau mode", "",
     "The tail fit's asymptote: 1 the baseline, for events that fall back to where they started; 0 fitted, for a "
     "relaxation towards a new level (mode 1 reads it too slow); 2 the value 1038, a level known beforehand"},
    {1038, "Tau asymptote", kBase, "Tau mode 2: the asymptote of the tail fit", TypeBit(2) | TypeBit(3)},
    {1039, "Baseline mode", "",
     "0 the level of a flat stretch before the peak (General - Unstimulated and Synaptic: where the peak's rise "
     "began); 1 the value 1040; 2 the lowest sample since the last event",
     TypeBit(5)},
    {1040, "Baseline value", kBase, "Baseline mode 1: the baseline", TypeBit(5)},
    {1041, "Peak end level", "%", "A peak ends where the signal falls back to this percentage of the height"},
    // Settings of the whole analysis.
    {2000, "Analysis type", "",
     "--type sets it: 0 General - Unstimulated, 1 Cardiac Action Potential, 2 Synaptic, 3 Evoked Response, "
     "4 Population Spike, 5 Action Potential"},
    {2001, "Analysis channel", "", "--channel N sets it to N - 1: counted from 0"},
    {2002, "Summary rows", "", "The Table View shows Avg, Min, Max and Count below the events"},
    {2003, "Settings tab", "", "The settings dialog's tab shown last"},
    {2004, "Analyse the selection", "", "Analyse the host's selection (--select) instead of the whole channel"},
    {2005, "Region start record", "", "The region analysed last, kept by the document"},
    {2006, "Region start tick", "", "The region analysed last, kept by the document"},
    {2007, "Region end record", "", "The region analysed last, kept by the document (-1: open)"},
    {2008, "Region end tick", "", "The region analysed last, kept by the document (-1: open)"},
    {2009, "Analyse while sampling", "", "--online sets it"},
    {2010, "Peak markers", "", "The recording view shows the peak markers"},
    {2011, "Region stored", "", "A region analysed last is kept (2005 to 2008)"},
    {2012, "No region stored", "", "No region is kept: the next analysis takes the whole channel"},
    {2013, "Analysis View series 1", "", "The Analysis View shows its first plot series"},
    {2014, "Analysis View series 2", "", "The Analysis View shows its second plot series"},
    {2015, "Analysis View series 3", "", "The Analysis View shows its third plot series"},
    {2016, "Analysis View series 4", "", "The Analysis View shows its fourth plot series"},
    {2017, "Analysis View series 5", "", "The Analysis View shows its fifth plot series"},
    {2018, "Analysis View series 6", "", "The Analysis View shows its sixth plot series"},
    {2019, "Analysis View series 7", "", "The Analysis View shows its seventh plot series"},
    {2020, "Analysis View series 8", "", "The Analysis View shows its eighth plot series"},
    {2021, "Analysis View series 9", "", "The Analysis View shows its ninth plot series"},
    {2022, "Analysis View series 10", "", "The Analysis View shows its tenth plot series"},
    {2023, "Source object", "", "The data file's object the detectors read, kept by the document"},
    {2024, "Detector object", "", "The data file's object holding the detector formula, kept by the document"},
    {2025, "Analysis object", "", "The data file's object holding the whole analysis formula, kept by the document"},
    {2026, "Show the latest row", "", "The Table View keeps its latest row in sight while sampling"},
    {2027, "Analysis View range 1", "", "An axis range of the Analysis View, kept by the view (0: its own)"},
    {2028, "Analysis View range 2", "", "An axis range of the Analysis View, kept by the view (0: its own)"},
    {2029, "Analysis View range 3", "", "An axis range of the Analysis View, kept by the view (0: its own)"},
    {2030, "Analysis View range 4", "", "An axis range of the Analysis View, kept by the view (0: its own)"},
};

}  // namespace

const SettingNote* FindSettingNote(ZR::Doc::SettingId id) noexcept {
  for (const SettingNote& note : kNotes) {
    if (note.id == ZR::Doc::NumberOf(id)) return &note;
  }
  return nullptr;
}

}  // namespace refdocs
