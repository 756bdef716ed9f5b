#!/usr/bin/env python3
# Ground truth of the General - Unstimulated and Synaptic tables on synthetic events whose answers are known
# (tests/host/CycleEventsTruthTest.cpp): triangles, linear rises with exponential decays and bi-exponential
# currents, upward and downward, rising in one to several samples, decaying in a few to tens of ms, some close
# together. Every value comes from the continuous shape (crossing times by root finding, areas by quadrature),
# except the smoothed slopes, whose definition is a five-point least-squares line through the samples: the
# steepest of those lines that lie wholly within the peak, from its start sample (the last at or below 5 % of
# the height before the peak) to its end.
#
# Tool: numpy 1.24.2 and scipy 1.10.1 (Debian packages): scipy.optimize.brentq (xtol 1e-15),
# scipy.integrate.quad, numpy.polyfit. No random numbers (the noise is the test's own).
# Rerun:  PYENV_VERSION=system python3 tests/data/cycle_events_truth.py > tests/data/cycle_events_truth.txt
#
# The test builds each recording from its lines (sample k = baseline + polarity x the sum of the shapes at
# s = (k - onset) / rate), analyses it with the host and compares each "expect" cell with the table's, within
# the tolerance given plus half a unit of the table's last printed figure. Tolerances: levels 2 % of the
# height, times two samples, Tau, areas and slopes 3 %. A cell written "blank" must be blank: the rise slope of
# a rise that crosses both levels (10 and 90 %) between the same two samples, whose rise time, counted in whole
# samples, is 0. A cell written "-" is not determined by the shape and is not compared: the end of an
# exponential tail (it never returns to the baseline; where the sampled tail first meets the measured baseline
# decides), the tail overshoot of a shape that settles on the baseline without one (whether the signal comes
# back across the measured baseline decides between 0 and blank), and the time and level of a slope that is the
# same all along a straight rise or fall (a tie).
#
# Events close together start fifteen time constants after the one before: the baseline is the flattest long
# stretch before the event within 5 % of its height, so a tail still that large is taken into it.
#
# Noisy recordings: the same events with noise added, which the test makes itself (a sum of twelve uniform
# numbers from a linear congruential generator seeded with SEED, low-pass filtered over 1.6 samples, about 2 kHz
# at 20 kHz as a recording's amplifier filters it, scaled to NOISE_SD; the same in every run), in records of
# SECONDS each, some short and with events in their first milliseconds. Only the count and the values noise
# leaves determined are compared: Height within 10 % plus three noise standard deviations (and never of the wrong
# sign); up to noise of 3 % of the height Width50 within 25 % and Tau within 35 %. Above that a half-height
# crossing and the tail fit move by more than that (Width50 ends at the first sample of the fall at half height,
# which noise of 4 % of the height brings 1 ms forward on a 5 ms decay, 10 % by 1.5 ms). Events stand at least ten
# time constants apart.
#
# Lines:  recording NAME TYPE "1010 text" RATE BASELINE SECONDS UNIT RECORDS NOISE_SD SEED
#         event SHAPE ONSET_SAMPLE AMPLITUDE RISE_S DECAY_S RECORD   (tri: rise and fall times; exp: linear rise
#               time and decay time constant; biexp: rise and decay time constants, AMPLITUDE the peak; the onset
#               counts from the start of its record, the first record 0)
#         expect ROW HEADING VALUE TOLERANCE   (TAB-separated)
import math

import numpy as np
from scipy.integrate import quad
from scipy.optimize import brentq

START_LEVEL = 0.05   # 1033: a peak starts where the signal last leaves 5 % of the height
RISE = (0.10, 0.90)  # 1017, 1018
TAU_START = 0.50     # 1029: the tail fit starts at 50 % of the height


class Shape:
    def __init__(self, kind, onset, amplitude, rise, decay):
        self.kind, self.onset, self.amplitude, self.rise, self.decay = kind, onset, amplitude, rise, decay
        if kind == "biexp":
            self.peak_time = rise * decay / (decay - rise) * math.log(decay / rise)
            self.norm = math.exp(-self.peak_time / decay) - math.exp(-self.peak_time / rise)
        else:
            self.peak_time = rise
        # Where the shape is back at 0 (None: an exponential tail never is).
        self.end = rise + decay if kind == "tri" else None

    def __call__(self, s):
        a, r, d = self.amplitude, self.rise, self.decay
        if s <= 0.0:
            return 0.0
        if self.kind == "tri":
            return a * s / r if s < r else max(a * (1.0 - (s - r) / d), 0.0)
        if self.kind == "exp":
            return a * s / r if s < r else a * math.exp(-(s - r) / d)
        return a * (math.exp(-s / d) - math.exp(-s / r)) / self.norm

    def last_sample(self, rate):
        # The peak's last sample: where a triangle is back at 0, or six time constants into an exponential tail.
        return self.onset + int(math.ceil((self.end if self.end is not None else self.peak_time + 6.0 * self.decay)
                                          * rate - 1e-9))

    def crossing(self, fraction, falling):
        level = fraction * self.amplitude
        f = lambda s: self(s) - level
        if not falling:
            return brentq(f, 0.0, self.peak_time, xtol=1e-15)
        far = self.end if self.end is not None else self.peak_time + 60.0 * self.decay
        return brentq(f, self.peak_time, far, xtol=1e-15)


RECORDINGS = [
    # Upward triangles on 2 mV at 10 kHz: a rise of one sample, of ten (the two of the original report), of three
    # and of five; the last two 20 ms apart, the second starting 15 ms after the first has ended.
    ("triangles", 0, "1 0 1 0.5 0.003 10 50 0 0 0", 10000, 2.0, 1.0, "mV",
     [("tri", 3000, 40.0, 1e-4, 0.040), ("tri", 6000, 40.0, 1e-3, 0.040),
      ("tri", 8000, 25.0, 3e-4, 0.005), ("tri", 8200, 30.0, 5e-4, 0.008)]),
    # Downward linear rises with exponential decays on -60 mV at 10 kHz: rises of one to four samples, decays of
    # 3 to 20 ms, and two events fifteen time constants apart.
    ("exponentials", 0, "1 0 -1 0.5 0.003 10 50 0 0 0", 10000, -60.0, 1.2, "mV",
     [("exp", 2000, 10.0, 1e-4, 0.003), ("exp", 4000, 20.0, 4e-4, 0.010), ("exp", 6000, 15.0, 2e-4, 0.020),
      ("exp", 9000, 12.0, 3e-4, 0.004), ("exp", 9600, 12.0, 3e-4, 0.004)]),
    # Downward bi-exponential currents on -15 pA at 20 kHz (the report's 20/50/80/35 pA), and two 45 ms apart.
    ("currents", 2, "1 0 -1 0.5 5e-12 10 50 0 0 0", 20000, -15.0, 1.1, "pA",
     [("biexp", 4000, 20.0, 3e-4, 0.005), ("biexp", 8000, 50.0, 1e-3, 0.015), ("biexp", 12000, 80.0, 5e-4, 0.012),
      ("biexp", 16000, 35.0, 5e-4, 0.008), ("biexp", 18000, 30.0, 3e-4, 0.003), ("biexp", 18900, 30.0, 3e-4, 0.003)]),
    # Upward synaptic potentials on -70 mV at 10 kHz: a linear rise of five samples and a slow bi-exponential.
    ("potentials", 2, "1 0 1 0.5 0.001 10 50 0 0 0", 10000, -70.0, 0.8, "mV",
     [("exp", 2000, 5.0, 5e-4, 0.015), ("biexp", 5000, 8.0, 2e-3, 0.025)]),
]

# Currents of 50 pA (a linear rise of 0.5 ms and a decay of 5 ms, or bi-exponential) 200 ms apart at 20 kHz, with
# the README's relative detection text (five noise standard deviations) or an absolute one of half the height.
RELATIVE_DOWN, RELATIVE_UP = "1 0 -1 0.5 5 10 50 1 0 0", "1 0 1 0.5 5 10 50 1 0 0"
ABSOLUTE_DOWN, ABSOLUTE_UP = "1 0 -1 0.5 2.5e-11 10 50 0 0 0", "1 0 1 0.5 2.5e-11 10 50 0 0 0"
FOUR = [("exp", onset, 50.0, 5e-4, 0.005) for onset in (4000, 8000, 12000, 16000)]
FOUR_BIEXP = [("biexp", onset, 50.0, 5e-4, 0.005) for onset in (4000, 8000, 12000, 16000)]
# (name, type, detection, noise SD in pA, seed, events) on -15 pA, one record of 1 s.
NOISY = [
    ("noisy down 2", 2, RELATIVE_DOWN, 1.0, 1, FOUR),
    ("noisy down 4", 2, RELATIVE_DOWN, 2.0, 37, FOUR),
    ("noisy down 10", 2, RELATIVE_DOWN, 5.0, 3, FOUR_BIEXP),
    ("noisy up 4", 0, RELATIVE_UP, 2.0, 37, FOUR),
    ("noisy up 8", 0, RELATIVE_UP, 4.0, 5, FOUR_BIEXP),
    ("noisy up 2", 2, RELATIVE_UP, 1.0, 6, FOUR),
    ("noisy absolute down 4", 0, ABSOLUTE_DOWN, 2.0, 7, FOUR),
    ("noisy absolute up 6", 2, ABSOLUTE_UP, 3.0, 8, FOUR_BIEXP),
    ("noisy absolute down 10", 2, ABSOLUTE_DOWN, 5.0, 9, FOUR),
]
# Short records (120 and 100 ms) with an event 5 to 10 ms after their start, and later ones.
SHORT = [
    ("short records", 2, RELATIVE_DOWN, 0.12, 3, 1.0, 10,
     [("exp", 100, 50.0, 5e-4, 0.005, 0), ("exp", 1600, 50.0, 5e-4, 0.005, 0), ("exp", 160, 50.0, 5e-4, 0.005, 1),
      ("exp", 200, 50.0, 5e-4, 0.005, 2), ("exp", 1200, 50.0, 5e-4, 0.005, 2)]),
    ("short records up", 0, ABSOLUTE_UP, 0.1, 2, 2.0, 11,
     [("exp", 140, 50.0, 5e-4, 0.005, 0), ("exp", 1100, 50.0, 5e-4, 0.005, 0), ("exp", 120, 50.0, 5e-4, 0.005, 1)]),
]

TYPE0 = ["Baseline", "TStart", "TEnd", "Width", "Height", "TimeToPeak", "APeak", "PeakArea", "MaxSlope", "MinSlope",
         "TMaxSlope", "TMinSlope", "AMaxSlope", "AMinSlope", "TRise", "TFall", "SlopeRise", "SlopeFall", "Width30",
         "Width50", "Width90", "TailOvershoot", "Tau"]
TYPE2 = ["Baseline", "TStart", "TimeToPeak", "Height", "Width50", "PeakArea", "Tau"]


def signal(shapes, rate, baseline, polarity, count):
    return np.array([baseline + polarity * sum(e((k - e.onset) / rate) for e in shapes) for k in range(count)])


def five_point_slopes(x, rate):
    # Least-squares slope of the line through samples k-2 .. k+2, for every k that has them.
    t = np.arange(-2, 3) / rate
    return {k: np.polyfit(t, x[k - 2:k + 3], 1)[0] for k in range(2, len(x) - 2)}


def expected(e, rate, baseline, polarity, unit, x):
    sample = 1.0 / rate
    t0 = e.onset / rate
    level = lambda v: baseline + polarity * v
    start = e.crossing(START_LEVEL, False)
    r10, r90 = (e.crossing(f, False) for f in RISE)
    f90, f10 = (e.crossing(f, True) for f in reversed(RISE))
    width = {p: e.crossing(p / 100, True) - e.crossing(p / 100, False) for p in (30, 50, 90)}
    end = e.end
    area_to = end if end is not None else e.peak_time + 60.0 * e.decay
    area = quad(e, start, area_to, limit=400, points=[e.rise])[0]
    # The smoothed slopes over the peak, from its first to its last sample; the steepest in each direction.
    first = e.onset + int(math.floor(start * rate))
    last = e.last_sample(rate)
    slopes = {k + first: v for k, v in five_point_slopes(x[first:last + 1], rate).items()}
    top = max(slopes, key=slopes.get)
    bottom = min(slopes, key=slopes.get)
    tie = lambda k: sum(1 for v in slopes.values() if abs(v - slopes[k]) <= 1e-6 * abs(slopes[k])) > 1

    ms, pct = 1000.0, 0.03
    two = 2.0 * sample
    h = e.amplitude
    v = {
        "Baseline": (baseline, 0.02 * h),
        "TStart": (t0 + start, two),
        "TEnd": (t0 + end, two) if end is not None else None,
        "Width": ((end - start) * ms, two * ms) if end is not None else None,
        "Height": (polarity * h, 0.02 * h),
        "TimeToPeak": ((e.peak_time - start) * ms, two * ms),
        "APeak": (level(h), 0.02 * h),
        "PeakArea": (polarity * area, pct * area),
        "MaxSlope": (slopes[top], pct * abs(slopes[top])),
        "MinSlope": (slopes[bottom], pct * abs(slopes[bottom])),
        "TMaxSlope": (((top - e.onset) / rate - start) * ms, two * ms) if not tie(top) else None,
        "TMinSlope": (((bottom - e.onset) / rate - start) * ms, two * ms) if not tie(bottom) else None,
        "AMaxSlope": (x[top], 0.02 * h) if not tie(top) else None,
        "AMinSlope": (x[bottom], 0.02 * h) if not tie(bottom) else None,
        "TRise": ((r90 - r10) * ms, two * ms),
        "TFall": ((f10 - f90) * ms, two * ms),
        "SlopeRise": (polarity * 0.8 * h / (r90 - r10), pct * 0.8 * h / (r90 - r10))
                     if math.floor(r10 * rate) != math.floor(r90 * rate) else "blank",
        "SlopeFall": (-polarity * 0.8 * h / (f10 - f90), pct * 0.8 * h / (f10 - f90)),
        "Width30": (width[30] * ms, two * ms),
        "Width50": (width[50] * ms, two * ms),
        "Width90": (width[90] * ms, two * ms),
        "TailOvershoot": None,
        "Tau": (e.decay, pct * e.decay) if e.kind != "tri" else None,
    }
    units = {"Baseline": unit, "TStart": "s", "TEnd": "s", "Width": "ms", "Height": unit, "TimeToPeak": "ms",
             "APeak": unit, "PeakArea": unit + ".s", "MaxSlope": unit + "/s", "MinSlope": unit + "/s",
             "TMaxSlope": "ms", "TMinSlope": "ms", "AMaxSlope": unit, "AMinSlope": unit, "TRise": "ms",
             "TFall": "ms", "SlopeRise": unit + "/s", "SlopeFall": unit + "/s", "Width30": "ms", "Width50": "ms",
             "Width90": "ms", "TailOvershoot": unit, "Tau": "s"}
    return v, units


def noisy_expected(e, polarity, noise):
    # Height, Width50 and Tau of one noisy event: the shape's own values with the tolerances of the head comment.
    h = e.amplitude
    width = (e.crossing(0.5, True) - e.crossing(0.5, False)) * 1000.0
    if noise > 0.03 * h:
        return [("Height (pA)", polarity * h, 0.1 * h + 3.0 * noise), ("Width50 (ms)", None, None),
                ("Tau (s)", None, None)]
    return [("Height (pA)", polarity * h, 0.1 * h + 3.0 * noise), ("Width50 (ms)", width, 0.25 * width),
            ("Tau (s)", e.decay, 0.35 * e.decay)]


def print_recording(head, events):
    print("recording\t" + "\t".join(str(f) if isinstance(f, (str, int)) else repr(f) for f in head))
    for e in events:
        print("event\t" + "\t".join(repr(f) if isinstance(f, float) else str(f) for f in e))


def print_noisy(name, kind, detection, seconds, records, noise, seed, events):
    polarity = -1.0 if " -1 " in detection else 1.0
    print_recording((name, kind, detection, 20000, -15.0, seconds, "pA", records, noise, seed),
                    [e if len(e) == 6 else e + (0,) for e in events])
    for row, e in enumerate(events, start=1):
        for heading, value, tolerance in noisy_expected(Shape(*e[:5]), polarity, noise):
            if value is None:
                print(f"expect\t{row}\t{heading}\t-\t-")
            else:
                print(f"expect\t{row}\t{heading}\t{value:.9g}\t{tolerance:.3g}")


def main():
    print("# Written by tests/data/cycle_events_truth.py; see its head comment.")
    for name, kind, detection, noise, seed, events in NOISY:
        print_noisy(name, kind, detection, 1.0, 1, noise, seed, events)
    for name, kind, detection, seconds, records, noise, seed, events in SHORT:
        print_noisy(name, kind, detection, seconds, records, noise, seed, events)
    for name, kind, detection, rate, baseline, seconds, unit, events in RECORDINGS:
        polarity = -1.0 if " -1 " in detection else 1.0
        shapes = [Shape(*e) for e in events]
        x = signal(shapes, rate, baseline, polarity, int(round(seconds * rate)))
        print_recording((name, kind, detection, rate, baseline, seconds, unit, 1, 0.0, 0), [e + (0,) for e in events])
        for row, e in enumerate(shapes, start=1):
            values, units = expected(e, rate, baseline, polarity, unit, x)
            for column in TYPE0 if kind == 0 else TYPE2:
                heading = f"{column} ({units[column]})"
                cell = values[column]
                if cell is None or cell == "blank":
                    print(f"expect\t{row}\t{heading}\t{cell or '-'}\t-")
                else:
                    print(f"expect\t{row}\t{heading}\t{cell[0]:.9g}\t{abs(cell[1]):.3g}")


if __name__ == "__main__":
    main()
