// Recordings whose events the analysis types that look for upward peaks miss or mismeasure, drawn
// from a seed: the found-0 lines fire on them, and the events they hold judge what a line's advice,
// followed, brings back.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// A recording's text ("Time [s],Vm [mV]" and its rows) and the events it holds: how many, the level
// between them and each one's height from it (negative for events that point down), in mV.
struct HintRecording {
  std::string text;
  int events = 0;
  double rest = 0.0;
  double height = 0.0;
};

// Four cardiac action potentials 1 s apart from -85 mV: a 2 ms rise to +30 mV, a fall to +10 mV,
// a plateau falling as a parabola to -30 mV over 150-250 ms and a 50 ms repolarisation, at 2, 5 or
// 10 kHz, with white noise of 2-3 mV, or of `noiseSd` mV where it is above 0.
HintRecording CardiacPlateau(uint32_t seed, double noiseSd = 0.0);

// Neuronal action potentials 95 mV high turned over, as an inverted amplifier records them: a
// resting level of +65 mV, each spike a 1 ms dip to -30 mV and a 3 mV overshoot back over 2 ms,
// 10-14 of them in a second at 20 kHz, every other one the first of a pair 2-3 ms apart (a
// burst), with white noise of 1.5-2 mV.
HintRecording InvertedSpikes(uint32_t seed);

// Ten neuronal action potentials 100 ms apart from a rest of -65 mV: each a 0.3 ms rise by 95 mV, a
// 0.7 ms fall to 3 mV below rest and back over 2 ms, at 20 kHz, with white noise of 1.5-2 mV.
HintRecording UprightSpikes(uint32_t seed);

// Evoked responses that point down: 16 stimuli 100 ms apart from 0.05 s, each a +25 mV artefact
// of 0.3 ms, then a response of -6 to -10 mV (an alpha function peaking 2-4 ms after the stimulus)
// from a rest of -60 mV, at 20 kHz, with white noise of 0.3 mV, or of `noiseSd` mV.
HintRecording DownwardResponses(uint32_t seed, double noiseSd = 0.3);

// Evoked responses that point up: 16 stimuli 100 ms apart from 0.05 s, each a +25 mV artefact of
// 0.3 ms, then a response of 10-14 mV (an alpha function peaking 2 ms after the stimulus) from a
// rest of -60 mV, at 20 kHz, with white noise of 0.5-0.8 mV.
HintRecording UpwardResponses(uint32_t seed);

// Population spikes: 16 stimuli 100 ms apart from 0.05 s, each a +25 mV artefact of 0.3 ms, then
// two peaks of 3 mV 3 and 8 ms after the stimulus (Gaussians of 1.2 and 1.5 ms) and a trough of 3-5
// mV between them (5.5 ms, 0.8 ms), from a rest of -60 mV, at 20 kHz, with white noise of 2 % of the
// spike; the height is the trough's depth below the line joining the peaks.
HintRecording PopulationSpikes(uint32_t seed);

// Ten inward currents 180 ms apart from a holding level of -20 (pA): each falls by 50-70 within a
// millisecond and decays over 5 ms, at 10 kHz, with white noise of 1.5-2.5; under `header`, which
// names the time and the current (with its unit or without one).
HintRecording InwardCurrents(uint32_t seed, const std::string& header);

}  // namespace testsupport
