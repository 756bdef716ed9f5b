// What noise and the shapes users meet do to the columns of the action-potential, evoked-response and
// population-spike types, with the figures the ground-truth test of these shapes measures
// (tests/data/cycle_events_truth.py) and those bench/trap_shapes.py measures on the shapes it names.
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
     "The stimulus artefact is no baseline. The baseline is searched from 1007 ms after the stimulus on, and where\n"
     "the stimulus lies on a pulse, the artefact, the samples of that pulse after it (its flat top, far from the\n"
     "response's peak) are passed over as long as anything is left between the artefact and the response. Measured\n"
     "on responses of 8 mV (gamma-shaped, peaking 2 ms after their onset) 2 ms after a rectangular artefact of 25\n"
     "mV, 0.3 to 0.5 ms wide, with noise of 0.3 to 0.4 mV at 20 kHz, 1002 = 0.01, 1006 = 0.003 and 1008 = 40 (96\n"
     "rows in six recordings of bench/trap_shapes.py): every row reads its baseline at rest, Height 6.76 to 9.49 mV.\n"
     "A search start past the artefact (1007 = 0.5) gives the same rows there. A response that rises straight out of\n"
     "its artefact leaves nothing between them, and the artefact's top can then be its baseline: such a row's\n"
     "Baseline lies far from the other rows', near the artefact's top, and its Height has the wrong sign, which is\n"
     "the check to run. A fixed baseline (1039 = 1) is no remedy on evoked responses: the baseline then ends where\n"
     "the signal last crossed it before the peak, before the artefact, so that an artefact higher than the response\n"
     "is its peak (one-sided artefact below, 1002 = 0.015, 1040 = -0.06: 37 to 52 of 56 rows read the response, the\n"
     "others 15.2 to 22.4 mV).\n"
     "\n"
     "A one-sided artefact. With the stimulus found as a pulse (1000 = 3 or 4), a response still falling when the\n"
     "next stimulus comes is the first half of a downward pulse: once it has fallen by the stimulus height (1002)\n"
     "from its top, the pulse's low follows it down to the sample before the next artefact, whose rise completes the\n"
     "pulse within the maximum width (1003). That stimulus is placed on the sample before its artefact, and the\n"
     "response search starts there: its row's Latency is 0, which is how to find such rows. Measured on responses of\n"
     "12 mV (bi-exponential, 1 and 20 ms) 1.5 ms after an artefact of 20 mV that only rises (0.2 ms), 50 ms apart,\n"
     "eight a record, with 1002 = 0.01 (10 mV): noise-free (20 kHz), every stimulus after a record's first lands on\n"
     "the last sample before its artefact (Latency 0), and its row reads the artefact (Height 19.8 to 20.0 mV); with\n"
     "noise of 2 % of the response (10 kHz), 17 of 56 rows read the artefact (19.6 to 20.4 mV) or nothing (0), their\n"
     "stimulus on a noise low before the artefact. A stimulus height above the response and within the artefact\n"
     "(1002 = 0.015, 15 mV, here) keeps every stimulus on its artefact's top: all 56 rows read the response (Height\n"
     "11.65 to 12.85 mV), with and without noise, and so on two noises of 3 % (bench/trap_shapes.py). After a\n"
     "straight-line response that rises for 2 ms and falls for 58 ms, into the next one, the same happens from each\n"
     "record's third stimulus on: noise-free, 42 of 56 rows read the artefact (20 kHz), and with 1002 = 0.015 all 56\n"
     "read the response (11.1 to 12.6 mV with 2 % noise, 10 kHz). A response that is back at its baseline before the\n"
     "next stimulus, or smaller than 1002, starts no such pulse. With noise of 5 % a stretch on the response's own\n"
     "top can score above every stretch of rest, which noise breaks up: with 1002 = 0.015, 55 of 56 rows read the\n"
     "response on each of two noises, and the other reads its baseline 12 mV above rest (Height 1.8 and 2.6 mV). Its\n"
     "Baseline, far from the other rows', shows it; no setting avoids it (a search start of 1 ms, 1007 = 1, leaves\n"
     "50 and 51 of 56).\n"
     "\n"
     "Trains at 100 Hz. The minimum interval between stimuli (1027, 10 ms) is counted in whole samples (100 at 10\n"
     "kHz), and where noise puts a stimulus one sample earlier on its artefact than the one before it was on its\n"
     "own, it comes 99 samples after that one and is dropped: on trains of ten stimuli 10 ms apart whose artefact's\n"
     "top spans two samples (10 kHz, noise 2 %), the default finds 23 of 30, and 1027 = 9.9 finds all 30: count the\n"
     "rows against the stimuli given. A response that has not fallen back to the peak end level (1041, 0 % of its\n"
     "height: the baseline) before the next artefact takes that artefact's top for its peak: its row's TimeToPeak is\n"
     "about the interval between stimuli less the response's latency (8.6 ms here) and its Height about the\n"
     "artefact's. On responses of 12 mV decaying with 2 ms, 7 of the 23 rows read it (Height 19.6 to 20.5 mV for\n"
     "12), and 6 of the 30 with 1027 = 9.9; an end level of 10 % (1041 = 10) ends each response before the next\n"
     "artefact: all 30 read 11.7 to 12.4 mV. With slower decays a response is further from its end at the next\n"
     "artefact: with 1027 = 9.9 and 1002 = 0.015, at 4 ms the default reads 19 of 30 and 1041 = 10 all 30; at 6 ms\n"
     "the default reads 19 of 30 on each of two noises, 1041 = 10 29 and 27, 1041 = 30 30 and 29, and 1041 = 50 all\n"
     "30 (bench/trap_shapes.py). Give an end level above what is left of the response when the next artefact comes,\n"
     "about exp(-(interval - latency - time to peak) / decay) of its height (26 % at 6 ms here), with room for the\n"
     "noise; ResponseArea then ends at that level.\n"},
    {1,
     "Noise on the plateau. An APD ends at the first sample of the fall at or below its level, so noise brings it\n"
     "forward wherever the fall is slow against the noise or comes close to the level before it falls through.\n"
     "Measured on cardiac action potentials 110 mV high at 5 kHz whose plateau falls 0.11 mV/ms through 80 and 70 %\n"
     "of the height (APD20 53.7 ms, APD30 151.2 ms) before it repolarises at 1.1 mV/ms: with noise of 1 % of the\n"
     "height APD20 reads 21.6 to 38.8 ms and APD30 118 to 139 ms, while APD10 and APD40 to APD90, whose levels this\n"
     "plateau crosses steeply, stay within 5 ms; at 2 %, APD20 reads 4.8 to 29.2 ms, APD30 77 to 128 ms, APD40 up to\n"
     "35 ms early and APD50 to APD90 up to 11 ms early. A notch near a level ends that APD at the notch: on a\n"
     "plateau whose notch falls to 92 % of the height at 5 ms before a dome at 95 to 97 % (APD10 205.2 ms; forty\n"
     "action potentials of bench/trap_shapes.py), APD10 reads 4.4 to 205.6 ms with noise of 1 %, 18 of 40 of them 5\n"
     "ms early or more, and at 2 % 39 of 40 (2.2 to 200.6 ms). Compare each APD with the same APD of the other rows\n"
     "and with the trace (`--show analysis`): an APD that differs from row to row by far more than the beats do, or\n"
     "one that ends in the first milliseconds of a plateau that lasts hundreds, was ended by the noise. No setting\n"
     "avoids it: read the APDs of levels the plateau passes slowly or that a notch comes near from the trace, or\n"
     "from a recording with less noise.\n"
     "\n"
     "More noise splits each plateau into peaks. At 8 % of the height (8.8 mV) they are many and narrower than 1001\n"
     "at half height, and the width filter (1036) drops them all: none of the five is found with the defaults, and\n"
     "the found-0 line says how many peaks the detector found before the filter (520), that 30 mV lies within the\n"
     "most the noise swings from a trough to a peak over the recording (81 mV here: twice its standard deviation\n"
     "times sqrt(2 ln n) for n samples), and the height from that swing up at which the filter keeps the most, with\n"
     "their count (three of five on the smooth plateau below, at 0.081). A higher minimum height (1006) alone finds some\n"
     "and misses others silently: 0.06 (60 mV) finds all five on the straight-line plateau above, four of five on\n"
     "another noise, and three of five on a smooth plateau (flat at 80 %, repolarising through half height at 220\n"
     "ms). At 5 % the defaults find three of five on that smooth plateau, silently, with a row on one's\n"
     "repolarisation among them (APA -94.96 mV); 0.06 finds all five there. The width filter off with a minimum\n"
     "height well above the noise's swings (1036 = f, 1006 = 0.09) gives one row per action potential, so that\n"
     "counting the rows passes, but not every row is at its start: on the test's noises all five are at their start\n"
     "on the straight-line plateau and four on the smooth one, the fifth 72 ms into its plateau (APA 24.7 mV); on\n"
     "forty action potentials of each shape (bench/trap_shapes.py) 36 of 40 on the straight-line plateau, 34 on the\n"
     "smooth one and 27 on a spike-and-dome plateau (a notch to 70 % at 5 ms, a dome at 85 to 75 %). The others are\n"
     "rows of the plateau measured from the plateau: their RMP lies 20 mV or more above the other rows' (-36.3 to\n"
     "+7.5 mV for -85) and their APA well below (down to 25.5 mV for 110), which is the check to run on your rows. A\n"
     "fixed baseline at rest (1039 = 1, 1040 = -0.085 here) with the same settings finds all 40 at their start on\n"
     "each of the three shapes (APA 113.1 to 133.1 mV), and all five of each on the test's noises; the lowest sample\n"
     "(1039 = 2) does not (4 of 40 on the spike-and-dome plateau), and a fixed baseline with the width filter on\n"
     "lets noise peaks through (64 rows for 40 on the smooth plateau at 5 %). At 12 % (13.2 mV) no setting finds all\n"
     "five: with 1006 = 0.09 the detector finds about one peak per action potential (6) and the width filter drops\n"
     "them; with the filter off three are found at their start and two late on their plateau (APA 38.5 and 31.3\n"
     "mV). There 0.09 lies within what the noise swings (120 mV, more than the action potentials' 110), and the\n"
     "found-0 line says that the minimum height lies in the noise, gives the noise's standard deviation and swing,\n"
     "and that no height above the swing finds a peak. On forty action potentials\n"
     "of the straight-line plateau (bench/trap_shapes.py) the filter off gives 58 rows for 40, and a fixed baseline\n"
     "at rest puts 39 of the 40 at their start but keeps the 18 rows of noise (APA down to 45.5 mV): count the rows\n"
     "against the action potentials you expect.\n"},
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
