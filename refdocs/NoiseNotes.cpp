// What noise does to the columns of the action-potential and population-spike types, with the
// figures the ground-truth test of these shapes measures (tests/data/cycle_events_truth.py).
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
     "from the peak's end, where the fall reaches the baseline, to the first sample back at the baseline. Measured\n"
     "on action potentials 95 mV high at 20 kHz with an AHP 8 mV deep and 10 ms long (APDtot 12.4 ms), noise-free,\n"
     "AHPWidth reads 9.85 to 10 ms and APDtot 12.35 to 12.45 ms. After a slow foot of the rise (2 mV in 2 ms),\n"
     "which the baseline stretch takes in, RMP reads -64.91 for -65 mV, the AHP recovers to -65 mV and never back\n"
     "to the baseline, and in records of one action potential each every AHP column and APDtot are blank; a fixed\n"
     "baseline at the resting level (1039 = 1, 1040 = -0.065) gives them again (-8 mV, 10 ms, 12.45 ms).\n\n"
     "Noise ends the AHP at once: with noise of 1 % of the height four AHPs of five end within 0.4 ms, and at 2\n"
     "and 5 % every AHPWidth reads 0.05 to 0.85 ms and APDtot 2.3 to 3.4 ms, AHPAmplitude and AHPArea being those\n"
     "of the noise in that span. No setting keeps the noise from ending it: the AHP starts where the fall crosses\n"
     "the baseline, whatever level the baseline mode (1039) gives, and the noise there crosses back within a\n"
     "sample or two. The AHP columns measure the AHP only on a recording whose noise is well under 1 % of the\n"
     "action potential's height; on a noisier one read it from the trace, which `--show analysis` shows with each\n"
     "event.\n"},
    {1,
     "Noise on the plateau. An APD ends at the first sample of the fall at or below its level, so noise brings it\n"
     "forward wherever the fall is slow against the noise. Measured on cardiac action potentials 110 mV high at\n"
     "5 kHz whose plateau falls 0.11 mV/ms through 80 and 70 % of the height (APD20 53.7 ms, APD30 151.2 ms)\n"
     "before it repolarises at 1.1 mV/ms: with noise of 1 % of the height APD20 reads 21.6 to 38.8 ms and APD30\n"
     "118 to 139 ms, while APD10 and APD40 to APD90 stay within 5 ms; at 2 %, APD20 reads 4.8 to 29.2 ms, APD30\n"
     "77 to 128 ms, APD40 up to 35 ms early and APD50 to APD90 up to 11 ms early. Noise matters at the levels the\n"
     "plateau passes through, the more the slower it falls there.\n\n"
     "Noise of 8 % of the height (8.8 mV) splits each plateau into many peaks narrower than 1001 at half height,\n"
     "and the width filter (1036) drops them all: none of the five is found with the defaults, and the found-0\n"
     "line says how many peaks the detector found before the filter (520). A minimum height (1006) above the\n"
     "noise's swings joins them again: 0.06 (60 mV) finds all five, each at its start.\n"},
    {4,
     "Stimulus artefacts. With the stimulus found as a pulse (1000 = 3 or 4), a biphasic artefact, down and then\n"
     "up, completes a downward pulse on its way up: the stimulus is placed at the artefact's low point, and its top\n"
     "comes after the stimulus. A top five samples or more after it is a turning point, and becomes the population\n"
     "spike's first peak. Measured on trains of eight stimuli at 20 Hz (20 kHz, noise 2 % of the spike), an\n"
     "artefact of 3 mV each way whose top comes 0.3 ms after its low makes every response read PopSpikeHeight 2.60\n"
     "to 2.73 mV for 2.0 and PopSpikeArea 3.3 to 3.4 times the spike's; with the top 0.2 ms after the low all eight\n"
     "read the spike. Two settings avoid it: searching the spike from after the artefact (1007 = 1 ms), or a\n"
     "stimulus height (1028) above the artefact's first phase and within its whole swing, with a maximum width\n"
     "(1003) long enough for the signal to fall that far below the artefact's top (1028 = 0.004 and 1003 = 10\n"
     "here): the stimulus then lies at the top, and all eight read the spike.\n"},
};

}  // namespace

const char* NoiseNoteOf(int type) noexcept {
  for (const NoiseNote& note : kNotes) {
    if (note.type == type) return note.text;
  }
  return nullptr;
}

}  // namespace refdocs
