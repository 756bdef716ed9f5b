// What noise and the shapes users meet do to the columns of the action-potential, evoked-response and
// population-spike types, with the figures the ground-truth test of these shapes measures
// (tests/data/cycle_events_truth.py).
#include "refdocs/ReferenceNotes.h"

namespace refdocs {
namespace {

struct NoiseNote {
  int type;
  const char* text;
};

constexpr NoiseNote kNotes[] = {
    {5,
     "The after-hyperpolarisation. The AHP (AHPAmplitude, AHPWidth, AHPArea, and APDtot, which ends with it) runs\n"
     "from the peak's end, where the fall reaches the baseline, to the first sample back at the baseline. Measured on\n"
     "action potentials 95 mV high at 20 kHz with an AHP 8 mV deep and 10 ms long (APDtot 12.4 ms), noise-free,\n"
     "AHPWidth reads 9.85 to 10 ms and APDtot 12.35 to 12.45 ms; on smooth ones (a Gaussian rise and fall, an AHP\n"
     "that ends at rest) 8.70 ms for 8.71 where the fall crosses rest steeply, 9.95 for 9.98 where it flattens at\n"
     "rest first.\n"
     "\n"
     "The baseline decides where the AHP ends, and a baseline stretch that takes in anything but rest moves it. After\n"
     "a slow foot of the rise (2 mV in 2 ms) RMP reads -64.91 for -65 mV, and after a smooth rise, noise-free,\n"
     "-64.95: the AHP recovers to -65 mV and never back to that baseline, so in records of one action potential each\n"
     "every AHP column and APDtot are blank; in a row of them 300 ms apart the first one's RMP reads -64.99 and its\n"
     "AHP runs on to the next one's rise (AHPWidth 295.7 ms). In a train 60 ms apart the baseline stretch takes in\n"
     "the previous AHP: RMP reads -65.66, AHPWidth 9.15 ms for 10 and APDtot 11.8 for 12.45. A fixed baseline at the\n"
     "resting level (1039 = 1, 1040 = -0.065) measures every one of these (-8 mV, 10 ms, 12.45 ms; 8.70 ms on the\n"
     "smooth ones).\n"
     "\n"
     "Noise ends the AHP early, at the first sample of noise back at the baseline, and how early depends on how the\n"
     "fall crosses rest. Where it crosses steeply, with noise of 1 % of the height four of five straight-line AHPs\n"
     "end within 0.4 ms, and of six smooth ones three end within 0.1 ms while the others read 7.25 to 7.8 ms for 8.71\n"
     "(10 to 17 % short, values that look plausible); at 2 and 5 % every straight-line AHPWidth reads 0.05 to 0.85 ms\n"
     "and APDtot 2.3 to 3.4 ms, AHPAmplitude and AHPArea being those of the noise in that span. Where the fall\n"
     "flattens at rest, noise of 0.2 % already ends every one of six within 0.35 ms (0.05 to 0.35 ms for 9.98). No\n"
     "setting keeps the noise from ending it: the AHP starts where the fall crosses the baseline, whatever level the\n"
     "baseline mode (1039) gives, and ends where the noise first crosses back. The AHP columns measure the AHP only\n"
     "on a recording whose noise is well under 1 % of the action potential's height and whose fall crosses rest\n"
     "steeply; otherwise read it from the trace, which `--show analysis` shows with each event.\n"},
    {3,
     "A one-sided artefact. With the stimulus found as a pulse (1000 = 3 or 4), a response still falling when the\n"
     "next stimulus comes is the first half of a downward pulse: once it has fallen by the stimulus height (1002)\n"
     "from its top, the pulse's low follows it down to the sample before the next artefact, whose rise completes the\n"
     "pulse within the maximum width (1003). That stimulus is placed on the sample before its artefact, and the\n"
     "response search starts there. Measured on responses of 12 mV (bi-exponential, 1 and 20 ms) 1.5 ms after an\n"
     "artefact of 20 mV that only rises (0.2 ms), 50 ms apart, eight a record, with 1002 = 0.01 (10 mV): noise-free\n"
     "(20 kHz), every stimulus after a record's first lands on the last sample before its artefact (Latency 0), and\n"
     "its row reads the artefact (Height 19.8 to 20.0 mV); with noise of 2 % of the response (10 kHz), 17 of 56 rows\n"
     "read the artefact (19.6 to 20.4 mV) or nothing (0), their stimulus on a noise low before the artefact. A\n"
     "stimulus height above the response and within the artefact (1002 = 0.015, 15 mV, here) keeps every stimulus on\n"
     "its artefact's top: all 56 rows read the response (Height 11.65 to 12.85 mV), with and without noise. After a\n"
     "straight-line response that rises for 2 ms and falls for 58 ms, into the next one, the same happens from each\n"
     "record's third stimulus on: noise-free, 42 of 56 rows read the artefact (20 kHz), and with 1002 = 0.015 all 56\n"
     "read the response (11.1 to 12.6 mV with 2 % noise, 10 kHz). A response that is back at its baseline before the\n"
     "next stimulus, or smaller than 1002, starts no such pulse.\n"
     "\n"
     "Trains at 100 Hz. The minimum interval between stimuli (1027, 10 ms) is counted in whole samples (100 at 10\n"
     "kHz), and where noise puts a stimulus one sample earlier on its artefact than the one before it was on its own,\n"
     "it comes 99 samples after that one and is dropped: on trains of ten stimuli 10 ms apart whose artefact's top\n"
     "spans two samples (10 kHz, noise 2 %), the default finds 23 of 30, and 1027 = 9.9 finds all 30. A response that\n"
     "has not fallen back to the peak end level (1041, 0 % of its height: the baseline) before the next artefact\n"
     "takes that artefact's top for its peak: 7 of the 23 rows read it (Height 19.6 to 20.5 mV for 12), and 6 of the\n"
     "30 with 1027 = 9.9. An end level of 10 % (1041 = 10) ends each response before the next artefact: with 1027 =\n"
     "9.9 all 30 read 11.7 to 12.4 mV.\n"},
    {1,
     "Noise on the plateau. An APD ends at the first sample of the fall at or below its level, so noise brings it\n"
     "forward wherever the fall is slow against the noise. Measured on cardiac action potentials 110 mV high at 5 kHz\n"
     "whose plateau falls 0.11 mV/ms through 80 and 70 % of the height (APD20 53.7 ms, APD30 151.2 ms) before it\n"
     "repolarises at 1.1 mV/ms: with noise of 1 % of the height APD20 reads 21.6 to 38.8 ms and APD30 118 to 139 ms,\n"
     "while APD10 and APD40 to APD90 stay within 5 ms; at 2 %, APD20 reads 4.8 to 29.2 ms, APD30 77 to 128 ms, APD40\n"
     "up to 35 ms early and APD50 to APD90 up to 11 ms early. Noise matters at the levels the plateau passes through,\n"
     "the more the slower it falls there.\n"
     "\n"
     "More noise splits each plateau into peaks. At 8 % of the height (8.8 mV) they are many and narrower than 1001\n"
     "at half height, and the width filter (1036) drops them all: none of the five is found with the defaults, and\n"
     "the found-0 line says how many peaks the detector found before the filter (520), that a higher minimum height\n"
     "joins them and how many the filter keeps at twice the height. A higher minimum height (1006) alone finds some\n"
     "and misses others silently: 0.06 (60 mV)\n"
     "finds all five on the straight-line plateau above, four of five on another noise, and three of five on a smooth\n"
     "plateau (flat at 80 %, repolarising through half height at 220 ms). At 5 % the defaults find three of five on\n"
     "that smooth plateau, silently, with a row on one's repolarisation among them (APA -94.96 mV); 0.06 finds all\n"
     "five there. The width filter off with a minimum height well above the noise's swings (1036 = f, 1006 = 0.09)\n"
     "finds, at 8 %, all five at their start on the straight-line plateau and four on the smooth one, the fifth 72 ms\n"
     "into its plateau (APA 24.7 mV). At 12 % (13.2 mV) no setting finds all five: with 1006 = 0.09 the detector\n"
     "finds about one peak per action potential (6) and the width filter drops them, which the found-0 line tells\n"
     "with the minimum width (1001) instead; with the filter off three are found at their start and two late on their\n"
     "plateau (APA 38.5 and 31.3 mV). There the defaults' 30 mV lies below three standard deviations of the noise,\n"
     "and the found-0 line says that the minimum height lies in the noise, gives the noise's standard deviation and\n"
     "names a minimum height several times that. Count the rows against the action potentials you expect, and look at\n"
     "their TStart and APA on the trace (`--show analysis`).\n"},
    {4,
     "Stimulus artefacts. With the stimulus found as a pulse (1000 = 3 or 4), a biphasic artefact, down and then up,\n"
     "completes a downward pulse on its way up: the stimulus is placed at the artefact's low point, and its top comes\n"
     "after the stimulus. A top five samples or more after it is a turning point, and becomes the population spike's\n"
     "first peak. Measured on trains of eight stimuli at 20 Hz (20 kHz, noise 2 % of the spike), an artefact of 3 mV\n"
     "each way whose top comes 0.3 ms after its low makes every response read PopSpikeHeight 2.60 to 2.73 mV for 2.0\n"
     "and PopSpikeArea 3.3 to 3.4 times the spike's; with the top 0.2 ms after the low all eight read the spike. On\n"
     "spikes riding on a positive fEPSP (2 mV) after an artefact of 4 mV each way, trains of six, every response\n"
     "reads 3.34 to 3.39 mV for 1.96 on straight lines, and 2.89 to 3.00 mV for 2.67 with PopSpikeArea 2.3 times the\n"
     "spike's on smooth shapes (a sine artefact, Gaussian peaks).\n"
     "\n"
     "Searching the spike from after the artefact (1007 = 1 ms) avoids it on every one of these shapes, at 10 and 20\n"
     "kHz: PopSpikeHeight 1.93 to 2.06 mV for 1.96 and 2.67 to 2.77 for 2.67. A stimulus height (1028) above the\n"
     "artefact's first phase and within its whole swing, with a maximum width (1003) long enough, puts the stimulus\n"
     "at the artefact's top only where the signal falls by 1028 below that top soon after, as it does on the spike's\n"
     "trough without an fEPSP (1028 = 0.004 and 1003 = 10 for the 3 mV artefact: all eight read the spike). On a\n"
     "positive fEPSP it does not: with 1028 = 0.006 and 1003 = 10 the first stimulus of a train is lost and each\n"
     "later one is placed at its artefact's low again (the pulse now starts at the top before it), so at 20 kHz the\n"
     "five found read the artefact as before (at 10 kHz, where the top is three samples after the low, the spike).\n"},
};

}  // namespace

const char* NoiseNoteOf(int type) noexcept {
  for (const NoiseNote& note : kNotes) {
    if (note.type == type) return note.text;
  }
  return nullptr;
}

}  // namespace refdocs
