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
# What noise does to the other types (docs/columns.md says it with these figures): action potentials (type 5)
# with an after-hyperpolarisation, cardiac action potentials (type 1) on a sloping plateau and on a noisy one, and
# population spikes (type 4) in a stimulus train after a biphasic artefact, all made of straight lines ("pwl"), so
# that their crossings and areas are exact. Each is analysed noise-free, where the table gives the shape's own
# values within two samples (levels 2 %, areas 3 %), and with noise, where rows hold what the definitions give:
# the measured spread (the test's noise is the same in every run), as a value and the tolerance that spans it,
# so that a change in behaviour shows; the shape's own value is in the comment beside each. Noise is given in
# per cent of the event's height. Evoked responses (type 3) whose fall gives the tail fit three samples: Tau from
# scipy.optimize.curve_fit, or blank where the fit has as many parameters as samples. The same kinds on other shapes
# users meet, smooth ones (written as straight lines a sample apart or closer) and bi-exponential potentials, with
# the settings the reference pages advise: population spikes on a positive fEPSP, noisy cardiac plateaus, the AHP
# of action potentials whose fall crosses rest steeply or flattens there, in a train and one a record, spike-and-dome
# cardiac plateaus, and evoked responses after a one-sided artefact, in 100 Hz trains too, and after a rectangular
# one. Where a row reads something other than the shape's own
# value (a noise peak, an artefact), the value it reads is given.
#
# The battery: recordings of random events with known answers, of the kinds patch-clamp recordings are: bursts
# (gaps from 2.5 decay constants), events riding on an earlier one's fall (3 to 6 decay constants apart), events
# 10 to 50 ms before a record's end (some still falling there), on a baseline drifting by up to one threshold per
# 100 ms either way; upward and downward, types 0 and 2, relative (5 noise standard deviations) and absolute
# thresholds (5 noise standard deviations given in A), at 10, 20 and 25 kHz. Events start at least 1.5 x INTERVAL
# (10 ms) apart, so that their threshold crossings are at least INTERVAL apart; heights are 1 to 4 x the
# threshold but at least 8 noise standard deviations and the threshold plus 3 of them (an event exactly at the
# threshold is found or not by the noise at its peak). The test counts an event found when a table row's peak
# (TimeDate + TimeToPeak) lies within 2 ms of the event's peak, each row for one event; the battery as a whole must
# find 99 % of the events with at most 1 % rows more, none of the wrong sign, and at least as many as
# scipy.signal.find_peaks (prominence = the threshold, distance = INTERVAL) finds by the same rule on the same
# samples (the test's noise, rebuilt here; the "findpeaks" line: found and rows more).
# Tool for the battery: numpy.random.RandomState (the events, SEED), scipy.signal.find_peaks.
#
# Lines:  recording NAME TYPE SETTINGS RATE BASELINE SECONDS UNIT RECORDS NOISE_SD SEED   (SETTINGS: types 0 and
#               2 the detection text 1010, the others ID=VALUE ... given with --set)
#         event SHAPE ONSET_SAMPLE AMPLITUDE RISE_S DECAY_S RECORD [T F ...]   (tri: rise and fall times; exp:
#               linear rise time and decay time constant; biexp: rise and decay time constants, AMPLITUDE the peak;
#               pwl: straight lines from (0, 0) through the points (T seconds, F x AMPLITUDE), 0 after the last;
#               the onset counts from the start of its record, the first record 0)
#         expect ROW HEADING VALUE TOLERANCE   (TAB-separated)
#         rows N            the table's events, when not one per event line (an artefact is no event)
#         says TEXT         a text the run prints
#         drift SLOPE       the baseline drifts by SLOPE units per second from each record's start
#         findpeaks FOUND EXTRA   a battery recording: the events find_peaks finds, and its peaks more
#         noise KIND VALUE  the test's noise otherwise: "filter" SAMPLES (its low-pass time constant, 0 white),
#               "pink" OCTAVES (1/f: unit low-passed noises with time constants of 2, 4, ... 2^OCTAVES samples,
#               summed and scaled to NOISE_SD), "quantise" STEP (samples rounded to steps of STEP units), "flat" N ...
#               (the first N samples of record k equal the baseline, N taken in turn: a blanked start), "odd"
#               VALUE (a record's first sample is the baseline + VALUE), "lead" FACTOR SECONDS (the noise of a
#               record's first SECONDS is FACTOR times NOISE_SD), "grow" FACTOR SECONDS (from SECONDS on it is)
#         each              a battery recording that finds 99 % of its events itself, and no row more
#
# Heights of events known only by their extreme (types 0 and 2), with absolute thresholds of half the smaller
# event's height: small currents riding on a larger one's fall, 2 to 16 of its decay constants after it, upward
# and downward, and slow rises (alpha shapes, alpha: s / RISE x exp(1 - s / RISE), peaking at RISE) of 1 to 5 ms;
# noise 1 to 10 % of the small height. A riding event's Height lies within a factor of two of its height above
# where the trace stood at its onset (the noise-free signal's extreme after the onset, less its value there):
# written as the middle of that band, 1.25 x the height, with the tolerance 0.75 x the height. Every other event's
# Height lies within four noise standard deviations of its amplitude (its peak sample carries the noise). The same
# for slow currents (rise time constants 2 to 6 ms) at 20 and 50 kHz in white noise, and for currents riding 2 to 20
# decay constants after fast currents of the other sign (decays of 5 to 8 ms), whose band is their own amplitude's.
import math

import numpy as np
from scipy.integrate import quad
from scipy.optimize import brentq, curve_fit
from scipy.signal import find_peaks

START_LEVEL = 0.05   # 1033: a peak starts where the signal last leaves 5 % of the height
START_AP = 0.12      # 1034: an action potential's start level
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
        if self.kind == "alpha":
            return a * s / r * math.exp(1.0 - s / r)
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
# Currents of the other sign (a negative amplitude), large and slow, between the events: their return to the
# baseline is no event, so the table has one row per current of the detection's own sign.
OTHER_SIGN = [("exp", 2000, -100.0, 5e-4, 0.022), ("exp", 4000, 50.0, 5e-4, 0.005), ("exp", 8000, -60.0, 5e-4, 0.005),
              ("exp", 10000, 50.0, 5e-4, 0.005), ("exp", 14000, -60.0, 5e-4, 0.05), ("exp", 17000, 50.0, 5e-4, 0.005)]
NOISY += [("noisy up, currents of the other sign", 2, RELATIVE_UP, 1.0, 41, OTHER_SIGN),
          ("noisy absolute down, currents of the other sign", 0, ABSOLUTE_DOWN, 1.0, 42,
           [e if e[2] > 0.0 else (e[0], e[1], 3.0 * e[2]) + e[3:] for e in OTHER_SIGN])]
# Short records (120 and 100 ms) with an event 5 to 10 ms after their start, and later ones.
SHORT = [
    ("short records", 2, RELATIVE_DOWN, 0.12, 3, 1.0, 10,
     [("exp", 100, 50.0, 5e-4, 0.005, 0), ("exp", 1600, 50.0, 5e-4, 0.005, 0), ("exp", 160, 50.0, 5e-4, 0.005, 1),
      ("exp", 200, 50.0, 5e-4, 0.005, 2), ("exp", 1200, 50.0, 5e-4, 0.005, 2)]),
    ("short records up", 0, ABSOLUTE_UP, 0.1, 2, 2.0, 11,
     [("exp", 140, 50.0, 5e-4, 0.005, 0), ("exp", 1100, 50.0, 5e-4, 0.005, 0), ("exp", 120, 50.0, 5e-4, 0.005, 1)]),
]

# A record's start, without noise: an event 1 ms into the second record is found once the run-in has measured the
# noise; the third record opens on the fall of an event whose onset lies 2 ms before it, which is told of, and is
# no row.
STARTS = ("a record's start", 2, "1 0 -1 0.5 5 10 50 1 0 0", 0.1, 3,
          [("exp", 20, 50.0, 5e-4, 0.005, 1), ("exp", -40, 50.0, 5e-4, 0.005, 2)])


def record_starts():
    name, kind, detection, seconds, records, events = STARTS
    print_recording((name, kind, detection, 20000, -15.0, seconds, "pA", records, 0.0, 0), events)
    print("rows\t1")
    print(f"says\trecord {records} (counted from 1): opens within an event")
    for heading, value, tolerance in noisy_expected(Shape(*events[0][:5]), -1.0, 0.0):
        print(f"expect\t1\t{heading}\t{value:.9g}\t{tolerance:.3g}")

# The battery: (name, type, polarity, relative, rate, records, seconds, noise SD in pA, drift in thresholds per
# 100 ms in the events' direction, seed), on -15 pA, INTERVAL 10 ms, baseline 50 ms, hysteresis 0.5.
BATTERY = [
    ("battery down relative 20k", 2, -1, True, 20000, 3, 0.6, 1.0, 0.0, 11),
    ("battery up relative 20k drift with", 0, 1, True, 20000, 3, 0.6, 1.0, 1.0, 12),
    ("battery down relative 10k drift against", 2, -1, True, 10000, 3, 0.8, 2.0, -1.0, 13),
    ("battery up absolute 10k drift against", 2, 1, False, 10000, 3, 0.8, 1.5, -1.0, 14),
    ("battery down absolute 20k drift with", 0, -1, False, 20000, 3, 0.6, 2.0, 1.0, 15),
    ("battery down relative 20k drift with", 2, -1, True, 20000, 3, 0.6, 1.0, 1.0, 16),
    ("battery up relative 10k drift against", 0, 1, True, 10000, 4, 0.5, 1.0, -1.0, 17),
    ("battery down absolute 10k drift half", 0, -1, False, 10000, 3, 0.8, 1.0, 0.5, 18),
    ("battery up absolute 20k", 2, 1, False, 20000, 3, 0.6, 1.0, 0.0, 19),
    ("battery down relative 25k drift against", 0, -1, True, 25000, 2, 1.0, 1.0, -0.5, 20),
    ("battery up absolute 25k drift with", 0, 1, False, 25000, 2, 1.0, 2.0, 1.0, 21),
    ("battery down absolute 20k drift against", 2, -1, False, 20000, 3, 0.6, 1.0, -1.0, 22),
]
# Battery rows whose noise starts or changes otherwise, each of which must find 99 % of its events and no row more
# ("each"): (name, type, polarity, rate, records, seconds, noise SD, seed, noise kind, its values), relative
# 5 SD, baseline 50 ms. A quiet lead-in: the noise of each record's first 200 ms is 1, 10 or 30 % of the rest. A
# flat start after one odd sample: a record's first sample 0.1 pA off the baseline, the next 999 on it (events
# from 60 ms on). A noise
# that grows 10 or 100 times 1 s into each record: the events before it are sized by the noise before, those after
# by the noise after and not within the baseline span after the growth (where the measure catches up). Currents in
# a record's first milliseconds: the first 1 to 7 ms into each record, at 5 to 50 kHz.
NOISE_BATTERY = [
    ("battery quiet lead-in 1 %", 2, -1, 20000, 3, 1.0, 1.0, 31, "lead", (0.01, 0.2)),
    ("battery quiet lead-in 10 %", 0, 1, 10000, 3, 1.0, 1.0, 32, "lead", (0.1, 0.2)),
    ("battery quiet lead-in 30 %", 2, -1, 25000, 3, 1.0, 1.0, 33, "lead", (0.3, 0.2)),
    ("battery flat start after one odd sample", 2, -1, 20000, 3, 1.0, 1.0, 34, "flat", (1000, 0.1)),
    ("battery noise grows 10 times", 2, -1, 20000, 2, 2.0, 1.0, 35, "grow", (10.0, 1.0)),
    ("battery noise grows 100 times", 0, 1, 10000, 2, 2.0, 0.1, 36, "grow", (100.0, 1.0)),
    ("battery first milliseconds 5k", 2, -1, 5000, 12, 0.3, 1.0, 37, "first", (0.001, 0.007)),
    ("battery first milliseconds 10k", 0, 1, 10000, 12, 0.3, 1.0, 38, "first", (0.001, 0.007)),
    ("battery first milliseconds 20k", 2, -1, 20000, 12, 0.3, 1.0, 39, "first", (0.001, 0.007)),
    ("battery first milliseconds 50k", 0, -1, 50000, 8, 0.3, 1.0, 40, "first", (0.001, 0.007)),
]
INTERVAL = 0.010
MATCH = 0.002  # s: a row's peak within this of an event's peak finds it


def battery_events(rng, threshold, noise, rate, records, seconds, first=(0.02, 0.04)):
    """Bursts, riding events and longer gaps, the first FIRST s into each record, and one event 10 to 50 ms before
    each record's end."""
    def height():
        return rng.uniform(max(threshold + 3.0 * noise, 8.0 * noise), 4.0 * threshold)
    events = []
    for record in range(records):
        t = rng.uniform(*first)
        while t <= seconds - 0.06:
            decay, rise = rng.uniform(0.002, 0.008), rng.uniform(0.0002, 0.0008)
            kind = "exp" if rng.rand() < 0.5 else "biexp"
            events.append((kind, int(round(t * rate)), height(), min(rise, decay / 4) if kind == "biexp" else rise,
                           decay, record))
            r = rng.rand()
            gap = decay * rng.uniform(3.0, 6.0) if r < 0.4 else decay * rng.uniform(2.5, 4.0) if r < 0.7 \
                else rng.uniform(0.02, 0.12)
            t += max(gap, 1.5 * INTERVAL)
        end = seconds - rng.uniform(0.010, 0.050)
        last = events[-1]
        if last[5] != record or end * rate - last[1] >= max(1.5 * INTERVAL, 2.5 * last[4]) * rate:
            events.append(("exp", int(round(end * rate)), height(), 0.0005, rng.uniform(0.003, 0.03), record))
    return events


class Noise:
    """The test's noise (tests/support/SeededNoise.h): a sum of twelve uniform numbers of a linear congruential
    generator, low-pass filtered over 1.6 samples."""
    def __init__(self, seed, samples=1.6):
        self.seed, self.keep, self.last, self.first = seed, math.exp(-1.0 / samples), 0.0, True

    def __call__(self, sd):
        total = 0.0
        for _ in range(12):
            self.seed = (self.seed * 1664525 + 1013904223) & 0xFFFFFFFF
            total += (self.seed >> 8) / 16777216.0
        self.last = total - 6.0 if self.first else \
            self.keep * self.last + math.sqrt(1.0 - self.keep * self.keep) * (total - 6.0)
        self.first = False
        return sd * self.last


def battery_samples(events, rate, baseline, seconds, records, noise, seed, drift, polarity, kinds=None):
    # As the test writes them: baseline + drift x time + polarity x the shapes + noise (times NOISE_FACTOR of each
    # sample, and what the "noise" lines KINDS make of it), at 9 figures, as floats.
    kinds = kinds or {}
    shapes = [(Shape(*e[:5]), e[5]) for e in events]
    n = int(round(seconds * rate))
    generator = Noise(seed)
    out = []
    for record in range(records):
        k = np.arange(n, dtype=float)
        x = np.empty(n)
        for i in range(n):
            total = sum(shape((k[i] - shape.onset) / rate) for shape, r in shapes if r == record)
            x[i] = baseline + drift * k[i] / rate + polarity * total + generator(noise * noise_factor(kinds, i / rate))
        if "flat" in kinds:
            x[:kinds["flat"]] = baseline
        if "odd" in kinds:
            x[0] = baseline + kinds["odd"]
        out.append(np.array([float("%.9g" % v) for v in x], dtype=np.float32))
    return out


def matched(peaks, truth):
    """Events found by peaks (times in s), each peak for one event, nearest first; and the peaks left over."""
    used, found = set(), 0
    for t in truth:
        near = [(abs(p - t), j) for j, p in enumerate(peaks) if j not in used and abs(p - t) <= MATCH]
        if near:
            used.add(min(near)[1])
            found += 1
    return found, len(peaks) - found


def noise_factor(kinds, s):
    # The noise's size at s seconds into a record, in NOISE_SD: a quiet lead-in, or a noise that grows.
    if "lead" in kinds and s < kinds["lead"][1]:
        return kinds["lead"][0]
    if "grow" in kinds and s >= kinds["grow"][1]:
        return kinds["grow"][0]
    return 1.0


def print_battery(name, kind, polarity, relative, rate, records, seconds, noise, drift, seed):
    threshold = 5.0 * noise
    detection = (f"1 0 {polarity} 0.5 5 10 50 1 0 0" if relative else
                 f"1 0 {polarity} 0.5 {threshold * 1e-12:.3g} 10 50 0 0 0")
    events = battery_events(np.random.RandomState(seed), threshold, noise, rate, records, seconds)
    slope = polarity * drift * threshold / 0.1 + 0.0  # no "-0.0"
    print_recording((name, kind, detection, rate, -15.0, seconds, "pA", records, noise, seed),
                    [(e[0], e[1], float(e[2]), float(e[3]), float(e[4]), e[5]) for e in events])
    print(f"drift\t{slope!r}")
    x = battery_samples(events, rate, -15.0, seconds, records, noise, seed, slope, polarity)
    peaks = []
    for record, samples in enumerate(x):
        found = find_peaks(polarity * samples.astype(float), prominence=threshold, distance=int(INTERVAL * rate + 0.5))
        peaks += [record * seconds + p / rate for p in found[0]]
    truth = [e[5] * seconds + e[1] / rate + Shape(*e[:5]).peak_time for e in events]
    print("findpeaks\t%d\t%d" % matched(peaks, truth))


def print_noise_battery(name, kind, polarity, rate, records, seconds, noise, seed, how, values):
    detection = f"1 0 {polarity} 0.5 5 10 50 1 0 0"
    rng = np.random.RandomState(seed)
    kinds = {}
    if how == "grow":
        kinds["grow"] = values
        grown = noise * values[0]
        before = battery_events(rng, 5.0 * noise, noise, rate, records, seconds)
        after = battery_events(rng, 5.0 * grown, grown, rate, records, seconds)
        events = [e for e in before if e[1] / rate + 0.03 < values[1]]
        events += [e for e in after if e[1] / rate > values[1] + 0.06]
        events.sort(key=lambda e: (e[5], e[1]))
    else:
        first = values if how == "first" else (0.06, 0.08) if how == "flat" else (0.02, 0.04)
        events = battery_events(rng, 5.0 * noise, noise, rate, records, seconds, first)
        if how == "lead":
            kinds["lead"] = values
            events = [e for e in events if not values[1] - 0.03 < e[1] / rate < values[1] + 0.06]
        if how == "flat":
            kinds["flat"], kinds["odd"] = values
    print_recording((name, kind, detection, rate, -15.0, seconds, "pA", records, noise, seed),
                    [(e[0], e[1], float(e[2]), float(e[3]), float(e[4]), e[5]) for e in events])
    if how == "lead":
        print(f"noise\tlead\t{values[0]!r}\t{values[1]!r}")
    if how == "grow":
        print(f"noise\tgrow\t{values[0]!r}\t{values[1]!r}")
    if how == "flat":
        print(f"noise\tflat\t{values[0]}")
        print(f"noise\todd\t{values[1]!r}")
    print("each")
    x = battery_samples(events, rate, -15.0, seconds, records, noise, seed, 0.0, polarity, kinds)
    peaks = []
    for record, samples in enumerate(x):
        found = find_peaks(polarity * samples.astype(float), prominence=5.0 * noise,
                           distance=int(INTERVAL * rate + 0.5))
        peaks += [record * seconds + p / rate for p in found[0]]
    truth = [e[5] * seconds + e[1] / rate + Shape(*e[:5]).peak_time for e in events]
    print("findpeaks\t%d\t%d" % matched(peaks, truth))


# The tail fit of the slow bi-exponential potential stalls, and gives no Tau, when the asymptote it holds is the
# noise-free record's baseline to the last bit (as a fixed baseline of exactly -70 mV shows): not compared.
UNFITTED = {("potentials", 2, "Tau")}
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
    own = [e for e in events if e[2] > 0.0]  # a current of the other sign is no row
    if len(own) < len(events):
        print(f"rows\t{len(own)}")
    for row, e in enumerate(own, start=1):
        for heading, value, tolerance in noisy_expected(Shape(*e[:5]), polarity, noise):
            if value is None or (heading == "Tau (s)" and len(own) < len(events)):  # fitted onto another's tail
                print(f"expect\t{row}\t{heading}\t-\t-")
            else:
                print(f"expect\t{row}\t{heading}\t{value:.9g}\t{tolerance:.3g}")


# Straight-line shapes: points (seconds after the onset, fraction of the amplitude) after (0, 0).
AP = [(0.0005, 1.0), (0.0025, 0.0), (0.0045, -8.0 / 95.0), (0.0125, 0.0)]  # 95 mV, an AHP 8 mV deep, 10 ms long
AP_FOOT = [(0.002, 2.0 / 95.0)] + [(t + 0.002, f) for t, f in AP]          # the same after a foot of 2 mV in 2 ms
CAP = [(0.001, 1.0), (0.005, 0.85), (0.200, 0.65), (0.300, 0.0)]           # 110 mV, the plateau falling 0.2 x 110
ARTEFACT_SHORT = [(0.0001, -1.0), (0.0003, 1.0), (0.0005, 0.0)]            # +-3 mV, its top 0.2 ms after its low
ARTEFACT_LONG = [(0.0001, -1.0), (0.0004, 1.0), (0.0007, 0.0)]             # its top 0.3 ms after its low
SPIKE = [(0.001, 0.0), (0.003, 0.6), (0.0045, -1.5), (0.006, 0.4), (0.010, 0.0)]  # peaks 0.6 and 0.4, trough -1.5


def pwl_crossing(points, level, falling):
    # The time the line through the points crosses level (a fraction), on the rise or on the fall after the top.
    knots = [(0.0, 0.0)] + points
    top = max(range(len(knots)), key=lambda k: knots[k][1])
    span = range(top, len(knots) - 1) if falling else range(0, top)
    for k in span:
        (t0, f0), (t1, f1) = knots[k], knots[k + 1]
        if min(f0, f1) <= level <= max(f0, f1) and f0 != f1:
            return t0 + (level - f0) * (t1 - t0) / (f1 - f0)
    raise ValueError(level)


def print_lines(head, shapes, expectations, rows=None, says=()):
    print("recording\t" + "\t".join(str(f) for f in head))
    for onset, amplitude, points, *record in shapes:
        if isinstance(points[0], str):  # a shape of its own kind: (kind, rise, decay)
            kind, rise, decay = points
            print(f"event\t{kind}\t{onset}\t{amplitude!r}\t{rise!r}\t{decay!r}\t{record[0] if record else 0}")
            continue
        flat = "\t".join(f"{v!r}" for point in points for v in point)
        print(f"event\tpwl\t{onset}\t{amplitude!r}\t0\t0\t{record[0] if record else 0}\t{flat}")
    if rows is not None:
        print(f"rows\t{rows}")
    for text in says:
        print(f"says\t{text}")
    for row, heading, value, tolerance in expectations:
        if value == "blank":
            print(f"expect\t{row}\t{heading}\tblank\t-")
        else:
            print(f"expect\t{row}\t{heading}\t{value:.9g}\t{tolerance:.3g}")


def action_potentials():
    # Five action potentials 300 ms apart from -65 mV at 20 kHz; the width filter at 1 ms (1035), as the README's.
    # AHP columns: the first sample after the peak's end back at the baseline ends the AHP.
    start = pwl_crossing(AP, START_AP, False)
    ahp_end = AP[-1][0]
    truth = {"AHPAmplitude (mV)": (-8.0, 0.2), "AHPWidth (ms)": ((ahp_end - AP[1][0]) * 1e3, 0.2),
             "AHPArea (mV.s)": (-8.0 * (ahp_end - AP[1][0]) / 2, 0.002),
             "APDtot (ms)": ((ahp_end - start) * 1e3, 0.2)}
    # With noise (per cent of 95 mV): AHPWidth 0.05-0.85 ms and APDtot 2.3-3.4 ms, against 10 and 12.5 ms; at 1 %
    # four AHPs end within 0.4 ms, and the fifth action potential's happens to outlast the noise (8.6 ms).
    noisy = {"AHPWidth (ms)": (0.45, 0.45), "APDtot (ms)": (2.85, 0.65)}
    noisy_1 = dict(noisy, **{"AHPWidth (ms)": (0.2, 0.2)})
    for percent, seed in ((0, 0), (1, 21), (2, 22), (5, 25)):
        expectations = []
        for row in range(1, 6):
            table = truth if percent == 0 else noisy if percent > 1 else noisy_1 if row != 5 else {}
            expectations += [(row, h, v, t) for h, (v, t) in table.items()]
        print_lines((f"action potentials {percent} %", 5, "1035=1", 20000, -65.0, 1.6, "mV", 1, 0.95 * percent,
                     seed), [(2000 + 6000 * i, 95.0, AP) for i in range(5)], expectations)
    # Noise-free, one action potential a record after a slow foot, which the baseline stretch takes in: RMP lies
    # above the resting level the AHP recovers to, so the AHP never ends and its columns are blank. A fixed
    # baseline at the resting level (1039 = 1) measures it.
    start = pwl_crossing(AP_FOOT, START_AP, False)
    truth["APDtot (ms)"] = ((AP_FOOT[-1][0] - start) * 1e3, 0.2)
    blank = dict({h: ("blank", 0) for h in truth}, **{"RMP (mV)": (-64.91, 0.02)})
    for settings, table in (("", blank), (" 1039=1 1040=-0.065", dict(truth, **{"RMP (mV)": (-65.0, 0.001)}))):
        print_lines((f"action potentials after a foot{settings}", 5, "1035=1" + settings, 20000, -65.0, 0.1, "mV", 3,
                     0.0, 0), [(400, 95.0, AP_FOOT, record) for record in range(3)],
                    [(row, h, v, t) for row in range(1, 4) for h, (v, t) in table.items()])


def cardiac_plateaus():
    # Five cardiac action potentials 1 s apart from -85 mV at 5 kHz, every APD shown. The plateau falls 22 mV in
    # 195 ms (0.11 mV/ms) through 80 and 70 % of the height; from 65 % the repolarisation falls 1.1 mV/ms.
    start = pwl_crossing(CAP, START_LEVEL, False)
    apd = {p: (pwl_crossing(CAP, 1.0 - p / 100.0, True) - start) * 1e3 for p in range(10, 100, 10)}
    shown = " ".join(f"{i}=t" for i in range(34, 43))
    # Measured spread with noise, per level: (value, tolerance) spanning it, or the shape's own within a margin.
    noisy = {1: {20: (30.2, 9.0), 30: (128.6, 10.5)}, 2: {20: (17.0, 12.5), 30: (102.4, 26.0), 40: (190.0, 19.0)}}
    margin = {0: 0.4, 1: 5.0, 2: 11.0}
    for percent, seed in ((0, 0), (1, 31), (2, 32)):
        expectations = [(row, f"APD{p} (ms)", *noisy.get(percent, {}).get(p, (apd[p], margin[percent])))
                        for row in range(1, 6) for p in range(10, 100, 10)]
        print_lines((f"cardiac plateau {percent} %", 1, shown, 5000, -85.0, 5.5, "mV", 1, 1.1 * percent, seed),
                    [(2500 + 5000 * i, 110.0, CAP) for i in range(5)], expectations)
    # Noise of 8 % (8.8 mV) splits every plateau into peaks narrower than 50 ms at half height: none is left after
    # the width filter. A minimum height of 60 mV joins them again, and all five start where they do.
    says = ["found 0 events: minimum height 0.03 V (30 mV); the width filter (setting 1036) leaves out peaks narrower "
            "than 50 ms at half height (setting 1001): the peak detector found 520 before it"]
    for settings, rows in (("", 0), ("1006=0.06", 5)):
        starts = [(row, "TStart (s)", (2500 + 5000 * (row - 1)) / 5000 + start, 0.0004) for row in range(1, rows + 1)]
        print_lines((f"noisy cardiac plateau {settings or 'defaults'}", 1, settings, 5000, -85.0, 5.5, "mV", 1, 8.8,
                     36), [(2500 + 5000 * i, 110.0, CAP) for i in range(5)], starts, rows, says if rows == 0 else ())


def evoked_tails():
    # Evoked responses of 40 mV from -60 mV at 20 kHz, one a record 5 ms after a stimulus at 50 ms (1000 = 2),
    # whose fall passes 50 % of the height and reaches the baseline in three samples (0.45, 0.15 and -0.01 of the
    # height). With the asymptote fitted (1037 = 0) three samples fit three parameters exactly, which no error
    # judges: Tau is blank. With it held at the baseline (the default) two parameters are fitted to three samples:
    # Tau as scipy.optimize.curve_fit gives it.
    dt = 1.0 / 20000
    points = [(0.002, 1.0), (0.004, 1.0), (0.004 + dt, 0.45), (0.004 + 2 * dt, 0.15), (0.004 + 3 * dt, -0.01),
              (0.009, 0.0)]
    tail = np.array([0.45, 0.15, -0.01]) * 40.0
    tau = curve_fit(lambda t, a, tau: a * np.exp(-t / tau), np.arange(3) * dt, tail, p0=(tail[0], dt))[0][1]
    for settings, cell in ((" 1037=0", ("blank", 0)), ("", (tau, 0.03 * tau))):
        print_lines((f"evoked response, three-sample tail{settings}", 3, "1000=2 1005=50" + settings, 20000, -60.0,
                     0.2, "mV", 2, 0.0, 0), [(1100, 40.0, points, record) for record in range(2)],
                    [(row, h, *v) for row in (1, 2) for h, v in (("Height (mV)", (40.0, 0.8)), ("Tau (s)", cell))])


def population_spikes():
    # Eight stimuli at 20 Hz, each a biphasic artefact of +-3 mV (its low, then its top) and a population spike
    # 1 ms later, at 20 kHz with 2 % noise (0.04 mV); stimuli as pulses (1000 = 3), spikes searched for 40 ms.
    # The stimulus detector puts the stimulus at the artefact's low, where its fall completes a pulse; when the
    # artefact's top then comes five samples or more later, it is a turning point and the spike's first peak.
    knots = [(0.0, 0.0)] + SPIKE
    t1, t2, t3 = SPIKE[1][0], SPIKE[2][0], SPIKE[3][0]
    chord = SPIKE[1][1] + (SPIKE[3][1] - SPIKE[1][1]) * (t2 - t1) / (t3 - t1)
    height = chord - SPIKE[2][1]
    area = (SPIKE[1][1] + SPIKE[3][1]) / 2 * (t3 - t1) - sum(
        (knots[k][1] + knots[k + 1][1]) / 2 * (knots[k + 1][0] - knots[k][0]) for k in (2, 3))
    truth = lambda row: [(row, "TStart (s)", (2000 + 1000 * (row - 1)) / 20000 + t1, 0.0005),
                         (row, "PopSpikeHeight (mV)", height, 0.1), (row, "PopSpikeArea (mV.s)", area, 0.0003)]
    # The long artefact's top taken for the first peak: height 2.60-2.73 mV for 2.0, area 3.3-3.4 times the truth.
    artefact = lambda row: [(row, "PopSpikeHeight (mV)", 2.665, 0.07), (row, "PopSpikeArea (mV.s)", 0.01007, 0.0003)]
    for name, points, settings, expect in (
            ("short artefact", ARTEFACT_SHORT, "", truth),
            ("long artefact", ARTEFACT_LONG, "", artefact),
            ("long artefact, search from 1 ms", ARTEFACT_LONG, " 1007=1", truth),
            ("long artefact, stimulus at its top", ARTEFACT_LONG, " 1028=0.004 1003=10", truth)):
        shapes = []
        for i in range(8):
            shapes += [(2000 + 1000 * i, 3.0, points), (2000 + 1000 * i, 1.0, SPIKE)]
        print_lines((f"population spikes, {name}", 4, "1000=3 1008=40" + settings, 20000, 0.0, 0.6, "mV", 1, 0.04,
                     41), shapes, [x for row in range(1, 9) for x in expect(row)], rows=8)


# What a relative threshold of 5 SD means on other noises and data (docs/settings.md): noise alone gives no row in
# 10 s of white, low-passed (1 kHz at 50 kHz) or 1/f noise; currents on samples quantised in steps of 2 noise SDs
# (README example 3's text on nA with three decimals, 1 pA steps on 0.5 pA of noise; -60 pA on 2 pA in 4 pA steps)
# and after blanked starts of 33 to 100 equal samples are each one row; noise-free pairs at 5 kHz 1.2 to 3 INTERVALs
# (3 ms) apart are two rows, relative and absolute; inward currents decaying over 20 to 100 ms analysed upward (and
# outward ones downward) give no row; and of six records in low-passed noise, the two that open on an event's fall
# (its onset 0.6 and 0.8 ms before them) and the one that opens on an event's rise (0.2 ms in) are named, and only
# they (their run-in measures that fall for noise, and
# the threshold stays above 5 SD for up to 100 ms: the later events come 160 ms and more into each record); records
# too short for a first measure give no row and are named.
def noise_kinds():
    for name, kind, detection, rate, lines in (
            ("white noise alone", 2, RELATIVE_UP, 20000, ["filter\t0"]),
            ("low-passed noise alone", 0, RELATIVE_DOWN, 50000, ["filter\t8"]),
            ("1/f noise alone", 2, RELATIVE_UP, 20000, ["pink\t13"])):
        print_recording((name, kind, detection, rate, -15.0, 10.0, "pA", 1, 1.0, 51 + len(name)), [])
        for line in lines:
            print("noise\t" + line)
    twelve = lambda amplitude: [("exp", onset, amplitude, 5e-4, 0.005, 0) for onset in range(2000, 30000, 2300)]
    print_recording(("currents on 1 pA steps", 2, RELATIVE_DOWN, 10000, -0.015, 3.0, "nA", 1, 0.0005, 61),
                    twelve(0.015))
    print("noise\tquantise\t0.001")
    print_recording(("currents on 2 SD steps", 2, RELATIVE_DOWN, 10000, -15.0, 3.0, "pA", 1, 2.0, 62), twelve(60.0))
    print("noise\tquantise\t4")
    print_recording(("blanked starts", 2, RELATIVE_DOWN, 20000, -15.0, 0.5, "pA", 3, 1.0, 63),
                    [("exp", onset + 150 * record, 40.0, 5e-4, 0.005, record)
                     for record in range(3) for onset in (600, 4000, 8000)])
    print("noise\tflat\t33\t64\t100")
    pairs = []
    for i, (gap, decay) in enumerate((g, d) for d in (0.002, 0.005, 0.01) for g in (0.0036, 0.0045, 0.006, 0.009)):
        onset = 500 + 1000 * i
        pairs += [("exp", onset, 40.0, 5e-4, decay, 0), ("exp", onset + int(round(gap * 5000)), 40.0, 5e-4, decay, 0)]
    print_recording(("pairs at 5 kHz", 0, "1 0 -1 0.5 5e-12 3 50 0 0 0", 5000, -15.0, 2.5, "pA", 1, 0.0, 0), pairs)
    print_recording(("pairs at 5 kHz, noisy", 2, "1 0 1 0.5 5 3 50 1 0 0", 5000, -15.0, 2.5, "pA", 1, 1.0, 64), pairs)
    others = [("exp", 2500 + 7500 * i, -60.0, 5e-4, decay, 0) for i, decay in enumerate((0.02, 0.04, 0.06, 0.08, 0.1) * 4)]
    for name, kind, detection in (("inward currents analysed upward", 2, RELATIVE_UP),
                                  ("outward currents analysed downward", 0, RELATIVE_DOWN)):
        print_recording((name, kind, detection, 25000, -15.0, 6.2, "pA", 1, 2.0, 65 + kind), others)
        print("rows\t0")
    opening = [("exp", -40, 50.0, 5e-4, 0.002, 1), ("exp", -10, 50.0, 5e-4, 0.002, 3),  # on its rise, 0.2 ms in
               ("exp", -30, 50.0, 5e-4, 0.002, 4)]
    opening += [("exp", 8000 + 1000 * record, 50.0, 5e-4, 0.002, record) for record in range(6)]
    print_recording(("records opening within an event", 2, RELATIVE_DOWN, 50000, -15.0, 0.3, "pA", 6, 1.0, 67),
                    opening)
    print("noise\tfilter\t8")
    print("rows\t6")
    print("says\trecord 2, 4, 5 (counted from 1): opens within an event")
    # Records of 20 ms, shorter than the 504 samples (25.2 ms) a first measure over 50 ms needs: no row, and named.
    print_recording(("records too short to measure", 2, RELATIVE_DOWN, 20000, -15.0, 0.02, "pA", 3, 1.0, 68), [])
    print("rows\t0")
    print("says\trecord 1, 2, 3 (counted from 1): shorter than the 504 samples")


# Shapes users meet beside the straight-line ones: smooth shapes, given as straight lines through points a sample
# apart or closer (written to five figures), and bi-exponential potentials.
def smooth(f, end, step):
    return [(round(k * step, 7), float(f"{f(k * step):.5g}")) for k in range(1, int(round(end / step)) + 1)]


def gaussian(t, centre, sd):
    return math.exp(-0.5 * ((t - centre) / sd) ** 2)


# A sine artefact whose top comes 0.3 ms after its low, and a population spike of three Gaussians.
SINE_ARTEFACT = smooth(lambda t: -math.sin(2.0 * math.pi * t / 0.0006), 0.0006, 0.000025)
SMOOTH_SPIKE = smooth(lambda t: 0.9 * gaussian(t, 0.003, 0.0006) - 2.1 * gaussian(t, 0.0045, 0.0006)
                      + 0.7 * gaussian(t, 0.006, 0.0007), 0.01, 0.0001)
FEPSP = ("biexp", 0.001, 0.008)  # a field EPSP: rise and decay time constants


def spike_on_fepsp(points, fepsp):
    # PopSpikeHeight and PopSpikeArea of a spike on an fEPSP (peak fepsp, from 0.5 ms), and its first peak's time:
    # the turning points of the continuous sum.
    knots = [(0.0, 0.0)] + points
    line = lambda t: float(np.interp(t, [k[0] for k in knots], [k[1] for k in knots], right=0.0))
    field = Shape("biexp", 0, fepsp, FEPSP[1], FEPSP[2])
    t = np.arange(0.0012, 0.012, 1e-7)
    x = np.array([line(s) + field(s - 0.0005) for s in t])
    trough = int(np.argmin(x))
    first = int(np.argmax(x[:trough]))
    second = trough + int(np.argmax(x[trough:]))
    chord = x[first] + (x[second] - x[first]) * (t - t[first]) / (t[second] - t[first])
    return chord[trough] - x[trough], float(np.sum((chord - x)[first:second + 1]) * 1e-7), t[first]


def population_spikes_on_fepsp():
    # Six stimuli at 20 Hz, each a biphasic artefact of +-4 mV whose top comes 0.3 ms after its low, and a population
    # spike 1 ms later riding on a positive fEPSP of 2 mV; 2 % noise (0.04 mV). Straight lines (the spike of the rows
    # above, 1.96 mV on the fEPSP) or smooth (a sine artefact, a spike of three Gaussians, 2.66 mV on it), at 20 and
    # 10 kHz. At 20 kHz the artefact's top is a turning point six samples after the stimulus and is read as the first
    # peak; a stimulus height above the artefact's first phase (1028 = 0.006, 1003 = 10) puts the stimulus at the
    # artefact's low again (the signal does not fall 6 mV below the top on the fEPSP), and the first stimulus, which has
    # no earlier top, is lost. Searching from 1 ms after the stimulus (1007 = 1) reads every spike.
    for rate, artefact, spike, settings, read in (
            (20000, SINE_ARTEFACT, SMOOTH_SPIKE, "", (2.947, 0.06, 0.0090, 0.00023)),
            (20000, SINE_ARTEFACT, SMOOTH_SPIKE, " 1028=0.006 1003=10", (2.947, 0.06, 0.0090, 0.00023)),
            (20000, SINE_ARTEFACT, SMOOTH_SPIKE, " 1007=1", None),
            (20000, ARTEFACT_LONG, SPIKE, "", (3.362, 0.03, 0.003555, 0.00012)),
            (20000, ARTEFACT_LONG, SPIKE, " 1007=1", None),
            (10000, ARTEFACT_LONG, SPIKE, " 1028=0.006 1003=10", None),
            (10000, SINE_ARTEFACT, SMOOTH_SPIKE, " 1007=1", None)):
        height, area, first = spike_on_fepsp(spike, 2.0)
        lost = 1 if "1028" in settings and (rate == 10000 or read) else 0
        shapes, expectations = [], []
        for i in range(6):
            onset = int(round((0.1 + 0.05 * i) * rate))
            shapes += [(onset, 4.0, artefact), (onset + int(round(0.0005 * rate)), 2.0, FEPSP), (onset, 1.0, spike)]
        for row in range(1, 7 - lost):
            start = 0.1 + 0.05 * (row - 1 + lost)
            if read is None:
                expectations += [(row, "TStart (s)", start + first, 0.0003), (row, "PopSpikeHeight (mV)", height, 0.12),
                                 (row, "PopSpikeArea (mV.s)", area, 0.00025)]
            else:
                expectations += [(row, "PopSpikeHeight (mV)", read[0], read[1]),
                                 (row, "PopSpikeArea (mV.s)", read[2], read[3])]
        kind = "smooth" if spike is SMOOTH_SPIKE else "straight"
        print_lines((f"population spikes on an fEPSP, {kind}, {rate // 1000} kHz{settings}", 4,
                     "1000=3 1008=40" + settings, rate, 0.0, 0.45, "mV", 1, 0.04, 51), shapes, expectations,
                    rows=6 - lost)


def smooth_cardiac(t):
    # A cardiac action potential 110 mV high: an upstroke of 1 ms, a spike falling to a flat plateau at 80 % and a
    # sigmoid repolarisation through half height at 220 ms (1.1 mV/ms at its steepest).
    if t < 0.001:
        return t / 0.001
    dome = 1.0 - 0.2 * (1.0 - math.exp(-(t - 0.001) / 0.003))
    return dome / (1.0 + math.exp((t - 0.22) / 0.02)) * (1.0 + math.exp(-0.219 / 0.02))


SMOOTH_CAP = smooth(smooth_cardiac, 0.005, 0.0005) + smooth(smooth_cardiac, 0.4, 0.002)[2:]


SPIKE_AND_DOME = [(0.001, 1.0), (0.005, 0.7), (0.03, 0.85), (0.2, 0.75), (0.3, 0.0)]  # a notch to 70 %, a dome


def noisy_cardiac_shapes():
    # Five cardiac action potentials 1 s apart at 5 kHz, straight (the rows above), smooth or spike-and-dome, with
    # noise of 5, 8 and 12 % of the height: what a minimum height (1006) finds with and without the width filter
    # (1036), and with a fixed baseline at rest (1039 = 1), which keeps every row of the plateau at its start. Each
    # row is an action potential found at its start (its number from 0) or, with its APA, a noise peak or one found
    # late on its plateau. Where none is found the line says what keeps them out.
    # A minimum height below the most the noise swings (twice its SD times sqrt(2 ln n) over the n samples) lies in it:
    # the line gives the height from that swing up at which the analysis finds the most, or that it finds none.
    hint = {"noise": "the peaks it passes are the noise's own, and a minimum height above that leaves them out: at "
                     "0.081 V (81 mV) (setting 1006 = 0.081) the width filter keeps 3",
            "none": "which swings by up to 0.12 V (120 mV) here: the peaks it passes are the noise's own, and a minimum "
                    "height above that leaves them out, but no minimum height above it gives action potentials alone"}
    for kind, points, percent, seed, settings, rows in (
            ("smooth", SMOOTH_CAP, 5, 35, "", [0, 1, -94.96, 4]),
            ("smooth", SMOOTH_CAP, 5, 35, "1006=0.06", [0, 1, 2, 3, 4]),
            ("straight", CAP, 8, 38, "1006=0.06", [0, 1, 2, 4]),
            ("straight", CAP, 8, 38, "1036=f 1006=0.09", [0, 1, 2, 3, 4]),
            ("smooth", SMOOTH_CAP, 8, 39, "", "noise"),
            ("smooth", SMOOTH_CAP, 8, 39, "1006=0.06", [0, 1, 4]),
            ("smooth", SMOOTH_CAP, 8, 39, "1036=f 1006=0.09", [0, 1, 24.74, 3, 4]),
            ("straight", CAP, 12, 37, "1006=0.09", "none"),
            ("straight", CAP, 12, 37, "1036=f 1006=0.09", [0, 1, 2, 38.51, 31.28]),
            ("straight", CAP, 8, 38, "1036=f 1006=0.09 1039=1 1040=-0.085", [0, 1, 2, 3, 4]),
            ("smooth", SMOOTH_CAP, 8, 39, "1036=f 1006=0.09 1039=1 1040=-0.085", [0, 1, 2, 3, 4]),
            ("spike-and-dome", SPIKE_AND_DOME, 8, 40, "1036=f 1006=0.09 1039=1 1040=-0.085", [0, 1, 2, 3, 4])):
        start = pwl_crossing(points, START_LEVEL, False)
        expectations = []
        for row, cell in enumerate(rows if isinstance(rows, list) else [], start=1):
            if isinstance(cell, int):
                expectations.append((row, "TStart (s)", 0.5 + cell + start, 0.0012))
            else:
                expectations.append((row, "APA (mV)", cell, 0.5))
        found = rows if isinstance(rows, list) else []
        print_lines((f"noisy cardiac plateau, {kind}, {percent} % {settings or 'defaults'}", 1, settings, 5000, -85.0,
                     5.5, "mV", 1, round(1.1 * percent, 6), seed), [(2500 + 5000 * i, 110.0, points) for i in range(5)],
                    expectations, len(found), [] if found else [hint[rows]])


def smooth_action_potential(ahp_start):
    # 95 mV: a Gaussian rise and fall (0.6 ms standard deviation, top at 2.5 ms) and an AHP 8 mV deep that ends at rest
    # 10 ms after it starts (sin^2). Starting at 3 ms it takes the fall through rest steeply (at 4.29 ms; AHPWidth
    # 8.71 ms); at 5.5 ms the fall has flattened at rest before it (at 5.52 ms; 9.98 ms).
    def f(t):
        s = t - ahp_start
        return gaussian(t, 0.0025, 0.0006) - (8.0 / 95.0 * math.sin(math.pi * s / 0.01) ** 2 if 0.0 < s < 0.01 else 0.0)
    return f


STEEP_AP = smooth(smooth_action_potential(0.003), 0.0135, 0.0001)
FLAT_AP = smooth(smooth_action_potential(0.0055), 0.0155, 0.0001)


def ahp_on_other_shapes():
    # Action potentials at 20 kHz from -65 mV, as the rows above: six 300 ms apart, smooth, their fall crossing rest
    # steeply or flattening at rest; the straight ones in a train 60 ms apart, where the baseline stretch takes in the
    # previous AHP; smooth ones one a record. AHPWidth per row as measured (the test's noise is the same in every run);
    # "blank" where the AHP never comes back to the baseline. The first of a row of smooth ones takes in its own rise's
    # foot (RMP -64.99), and its AHP runs to the next one's rise; a fixed baseline at rest (1039 = 1) measures each.
    fixed = " 1039=1 1040=-0.065"
    for name, points, spacing, records, percent, seed, settings, widths, rmp in (
            ("steep", STEEP_AP, 6000, 1, 0, 0, "", [295.7] + [8.7] * 5, -65.0),
            ("steep", STEEP_AP, 6000, 1, 0, 0, fixed, [8.7] * 6, -65.0),
            ("steep", STEEP_AP, 6000, 1, 1, 62, "", [0.1, 7.8, 0.05, 7.5, 7.25, 0.05], None),
            ("flat", FLAT_AP, 6000, 1, 0, 0, "", [295.0] + [9.95] * 5, -65.0),
            ("flat", FLAT_AP, 6000, 1, 0.2, 61, "", [0.35, 0.05, 0.15, 0.3, 0.05, 0.1], None),
            ("straight, 60 ms apart", AP, 1200, 1, 0, 0, "", [10.0] + [9.15] * 5, -65.66),
            ("straight, 60 ms apart", AP, 1200, 1, 0, 0, fixed, [10.0] * 6, -65.0),
            ("steep, one a record", STEEP_AP, 0, 3, 0, 0, "", ["blank"] * 3, -64.95),
            ("steep, one a record", STEEP_AP, 0, 3, 0, 0, fixed, [8.7] * 3, -65.0)):
        shapes = [(400, 95.0, points, r) for r in range(records)] if records > 1 else \
            [(2000 + spacing * i, 95.0, points) for i in range(6)]
        expectations = [(row, "AHPWidth (ms)", w, 0.1) for row, w in enumerate(widths, start=1)]
        expectations += [(row, "RMP (mV)", rmp, 0.02) for row in range(2, len(widths) + 1) if rmp is not None]
        print_lines((f"action potentials, {name}, {percent} %{settings}", 5, "1035=1" + settings, 20000, -65.0,
                     0.1 if records > 1 else 1.9, "mV", records, round(0.95 * percent, 6), seed), shapes, expectations,
                    len(shapes))


ONE_SIDED = [(0.0001, 1.0), (0.0002, 0.0)]               # an artefact that only rises, 0.2 ms long
FLAT_TOPPED = [(0.0001, 1.0), (0.0002, 1.0), (0.0003, 0.0)]  # the same with a top of two samples at 10 kHz


def evoked_one_sided(name, rate, artefact, response, settings, noise, seed, per, records, spacing, rows, wrong,
                     reads=(12.0, 0.9)):
    # Stimuli of a one-sided artefact of 20 mV on -60 mV, each followed 1.5 ms later by a bi-exponential response of
    # 12 mV, per a record. Every row reads the response (Height 12 mV, or reads: the height and its tolerance, where
    # a previous response's course lies under it; a record's first lies on rest: 12 mV, the same tolerance) but
    # those given in wrong (row: Height), which read an artefact (about 20 mV) or nothing (0).
    shapes = []
    for record in range(records):
        for i in range(per):
            onset = int(round((0.02 + spacing * i) * rate))
            shapes += [(onset, 20.0, artefact, record), (onset + int(round(0.0015 * rate)), 12.0, response, record)]

    def reading(row):
        if row in wrong:
            return wrong[row], 0.9
        return (12.0, reads[1]) if (row - 1) % per == 0 and rows == per * records else reads
    expectations = [(row, "Height (mV)", *reading(row)) for row in range(1, rows + 1)]
    print_lines((name, 3, "1000=3 1002=0.01 1006=0.005" + settings, rate, -60.0, 0.02 + spacing * per, "mV", records,
                 noise, seed), shapes, expectations, rows)


def evoked_one_sided_artefact():
    # An evoked response still decaying (20 ms) when the next stimulus comes, 50 ms later: eight a record, seven
    # records. Its fall by the stimulus height (1002 = 10 mV) starts a downward pulse in the stimulus detector whose
    # low follows the falling tail to the sample before the next artefact, and the artefact's rise brings it back;
    # but that pulse's width counts from where its fall first reached the height, milliseconds before, so it is too
    # wide for the maximum width and no stimulus: every stimulus lies on its artefact's top and every row reads the
    # response, with 1002 = 10 mV as with 15 mV (above the response's own height), with noise and without. (The
    # artefact, back at rest well within 2 ms of its stimulus, would not be taken for the response either.)
    response = ("biexp", 0.001, 0.02)
    for rate, noise, seed, settings in ((20000, 0.0, 0, ""), (20000, 0.0, 0, " 1002=0.015"), (10000, 0.24, 71, ""),
                                        (10000, 0.24, 71, " 1002=0.015")):
        evoked_one_sided(f"evoked responses, one-sided artefact, {rate // 1000} kHz, {round(noise / 0.12)} %{settings}",
                         rate, ONE_SIDED, response, settings, noise, seed, 8, 7, 0.05, 56, {})
    # The same after a straight-line response that rises for 2 ms and falls for 58 ms, into the next one: from the
    # third stimulus of a record on, the falling sum is that slow pulse, too wide as well. A response read from the
    # course before its stimulus loses what that course falls by up to its peak (0.2 mV a ms): 10.9 to 12.3 mV for 12;
    # read from rest, the course's straight line carried to the artefact, up to 12.5 in noise.
    straight = [(0.002, 1.0), (0.06, 0.0)]
    for rate, noise, seed, settings, wrong, reads in (
            (20000, 0.0, 0, "", {}, (11.6, 0.9)),
            (10000, 0.24, 72, " 1002=0.015", {}, (11.7, 0.9))):
        evoked_one_sided(f"evoked responses, straight, one-sided artefact, {rate // 1000} kHz, {round(noise / 0.12)} %"
                         f"{settings}", rate, ONE_SIDED, straight, settings, noise, seed, 8, 7, 0.05, 56, wrong, reads)
    # 100 Hz trains, ten stimuli a record, three records: the artefact's top is two samples, and noise decides which
    # is the stimulus, so that one stimulus in a few comes 99 samples after the one before, closer than the minimum
    # interval (1027 = 10 ms, 100 samples), and is lost; 1027 = 9.9 keeps all thirty. A response ends where the next
    # stimulus's artefact begins, though it has not fallen back to the baseline (the peak end level, 1041 = 0 %);
    # where that stimulus was lost, it takes the artefact's top for its peak. An end level of 10 % ends it before.
    # Slower decays (6 ms) leave a quarter of the response at the next artefact: an end level of 50 % ends each one
    # before it. Each reads its rise above the previous one's tail from the course before its stimulus (9.5 to 12.4
    # mV for 12).
    evoked_one_sided("evoked responses, 100 Hz, decay 6 ms, 10 kHz, 2 % 1002=0.015 1027=9.9 1041=50", 10000,
                     FLAT_TOPPED, ("biexp", 0.0005, 0.006), " 1002=0.015 1027=9.9 1041=50", 0.24, 82, 10, 3, 0.01, 30,
                     {}, (11.0, 1.6))
    fast = ("biexp", 0.0005, 0.002)
    for settings, rows, wrong in (
            (" 1002=0.015", 23, {12: 20.2, 15: 20.5}),
            (" 1002=0.015 1027=9.9", 30, {}),
            (" 1002=0.015 1027=9.9 1041=10", 30, {})):
        evoked_one_sided(f"evoked responses, 100 Hz, 10 kHz, 2 %{settings}", 10000, FLAT_TOPPED, fast, settings, 0.24,
                         81, 10, 3, 0.01, rows, wrong)


def evoked_rectangular_artefact():
    # Responses of 8 mV (alpha, peaking 2 ms after their onset) 2 ms after a rectangular artefact of 25 mV, 0.4 ms
    # wide, on -60 mV at 20 kHz, sixteen 100 ms apart, in white noise of 0.35 mV that breaks rest into segments of a
    # few samples: the artefact's flat top after the stimulus is no baseline; every row reads its response from rest.
    artefact = [(0.00005, 1.0), (0.0004, 1.0), (0.00045, 0.0)]
    shapes = []
    for i in range(16):
        onset = int(round((0.02 + 0.1 * i) * 20000))
        shapes += [(onset, 25.0, artefact), (onset + 40, 8.0, ("alpha", 0.002, 0.0))]
    expectations = [(row, h, v, t) for row in range(1, 17) for h, v, t in (("Height (mV)", 8.0, 2.0),
                                                                            ("Baseline (mV)", -60.0, 5.0))]
    print_lines(("evoked responses, rectangular artefact, 20 kHz", 3, "1000=3 1002=0.01 1006=0.003 1008=40", 20000,
                 -60.0, 1.62, "mV", 1, 0.35, 91), shapes, expectations, 16)
    print("noise\tfilter\t0")


# Riding currents: (name, type, polarity, noise in % of the small height, seed, the small one's shape); a current of
# 70 (rise 0.5 ms, decay 8 ms) 30 ms into each 0.3 s record at 20 kHz, and one of 12 k decay constants later.
RIDING = [
    ("riding down 1 %", 2, -1, 1.0, 51, "exp"),
    ("riding up 5 %", 0, 1, 5.0, 52, "biexp"),
    ("riding down 10 %", 0, -1, 10.0, 53, "biexp"),
    ("riding up 3 %", 2, 1, 3.0, 54, "exp"),
]
RIDING_AFTER = (2, 3, 4, 6, 8, 12, 16)
# Slow rises: (name, type, polarity, noise in %, seed); 20 alpha currents of 12, 100 ms apart, at 25 kHz, their
# times to peak 1 to 5 ms.
SLOW = [
    ("slow rises down 1 %", 2, -1, 1.0, 61),
    ("slow rises up 5 %", 0, 1, 5.0, 62),
    ("slow rises down 10 %", 0, -1, 10.0, 63),
    ("slow rises up 10 %", 2, 1, 10.0, 64),
    ("slow rises down 5 %", 2, -1, 5.0, 65),
]


def print_heights(name, kind, polarity, rate, seconds, records, noise, seed, events, bands, threshold=6e-12,
                  white=False):
    detection = f"1 0 {polarity} 0.5 {threshold:g} 10 50 0 0 0"
    print_recording((name, kind, detection, rate, -15.0, seconds, "pA", records, noise, seed), events)
    if white:
        print("noise\tfilter\t0")
    for row, (value, tolerance) in enumerate(bands, start=1):
        print(f"expect\t{row}\tHeight (pA)\t{polarity * value:.9g}\t{tolerance:.3g}")


def riding_heights():
    rate, tau = 20000, 0.008
    for name, kind, polarity, percent, seed in [r[:5] for r in RIDING]:
        shape = dict((r[0], r[5]) for r in RIDING)[name]
        noise = 0.12 * percent
        events, bands = [], []
        for record, k in enumerate(RIDING_AFTER):
            large = ("exp", 600, 70.0, 5e-4, tau, record)
            small = (shape, 600 + int(round(k * tau * rate)), 12.0, 5e-4 if shape == "exp" else 4e-4, 0.004, record)
            events += [large, small]
            shapes = [Shape(*large[:5]), Shape(*small[:5])]
            trace = lambda i: sum(e((i - e.onset) / rate) for e in shapes)
            after = range(small[1], small[1] + int(0.005 * rate))
            height = max(trace(i) for i in after) - trace(small[1])
            bands += [(70.0, 4.0 * noise), (1.25 * height, 0.75 * height)]
        print_heights(name, kind, polarity, rate, 0.3, len(RIDING_AFTER), noise, seed, events, bands)


def slow_heights():
    for name, kind, polarity, percent, seed in SLOW:
        rise = np.random.RandomState(seed).uniform(0.001, 0.005, 20)
        noise = 0.12 * percent
        events = [("alpha", 2500 * i + 750, 12.0, float(r), 0.0, 0) for i, r in enumerate(rise)]
        print_heights(name, kind, polarity, 25000, 2.0, 1, noise, seed, events, [(12.0, 4.0 * noise)] * len(events))


# Currents riding on the return of a current of the other sign: (name, type, polarity, noise in % of the small
# height, seed, the other current's decay time constant); a current of -60 (exp, rise 0.5 ms) 30 ms into each record
# at 20 kHz, and one of 10 (biexp, 0.4 and 4 ms) k of its decay constants later, rising on the slow return (the
# detector finds none on the steeper return 1 or 2 decay constants after).
RETURN = [
    ("on a return up 1 %", 2, 1, 1.0, 71, 0.02),
    ("on a return down 1 %", 0, -1, 1.0, 72, 0.02),
    ("on a return up 3 %", 0, 1, 3.0, 73, 0.05),
    ("on a return down 10 %", 2, -1, 10.0, 74, 0.02),
    ("on a return up 5 %", 2, 1, 5.0, 75, 0.1),
]
RETURN_AFTER = (3, 4, 6, 8, 16)


def return_heights():
    rate = 20000
    for name, kind, polarity, percent, seed, tau in RETURN:
        noise = 0.1 * percent
        events, bands = [], []
        for record, k in enumerate(RETURN_AFTER):
            other = ("exp", 600, -60.0, 5e-4, tau, record)
            own = ("biexp", 600 + int(round(k * tau * rate)), 10.0, 4e-4, 0.004, record)
            events += [other, own]
            shapes = [Shape(*other[:5]), Shape(*own[:5])]
            trace = lambda i: sum(e((i - e.onset) / rate) for e in shapes)
            height = max(trace(i) for i in range(own[1], own[1] + int(0.005 * rate))) - trace(own[1])
            bands.append((1.25 * height, 0.75 * height))
        seconds = round((600 + RETURN_AFTER[-1] * tau * rate) / rate + 0.05, 3)
        print_heights(name, kind, polarity, rate, seconds, len(RETURN_AFTER), noise, seed, events, bands,
                      threshold=5e-12)
        print(f"rows\t{len(RETURN_AFTER)}")


# Slow currents at high rates: (name, type, polarity, rate, seed); 20 bi-exponential currents of 24 (rise time
# constants 2 to 6 ms, decays 3 to 6 times that), 80 ms apart, in white noise of SD 2 (the peak sample is the noise's
# extreme about a broad top, up to three SDs above it).
SLOW_FAST_RATE = [
    ("slow currents 50 kHz down", 2, -1, 50000, 91),
    ("slow currents 50 kHz up", 0, 1, 50000, 92),
    ("slow currents 20 kHz down", 0, -1, 20000, 93),
]


def slow_fast_rate_heights():
    for name, kind, polarity, rate, seed in SLOW_FAST_RATE:
        rng = np.random.RandomState(seed)
        rise = rng.uniform(0.002, 0.006, 20)
        decay = rise * rng.uniform(3.0, 6.0, 20)
        events = [("biexp", int(0.08 * rate) * i + int(0.01 * rate), 24.0, float(r), float(d), 0)
                  for i, (r, d) in enumerate(zip(rise, decay))]
        print_heights(name, kind, polarity, rate, 1.65, 1, 2.0, seed, events, [(24.0, 8.0)] * len(events),
                      threshold=1.2e-11, white=True)


# Currents riding on the fast return of a larger one of the other sign: (name, type, polarity, rate, seed, decay);
# a current of -60 to -150 (exp, rise 0.5 ms) 30 ms into each record, and one of 17 to 21 (biexp, 0.4 and 4 ms) k of
# its decay constants later; noise SD 1.
RETURN_FAST = [
    ("on a fast return up 10 kHz", 2, 1, 10000, 95, 0.005),
    ("on a fast return down 10 kHz", 0, -1, 10000, 96, 0.008),
    ("on a fast return up 50 kHz", 0, 1, 50000, 97, 0.006),
]
RETURN_FAST_AFTER = {10000: (2, 3, 6, 12, 20), 50000: (3, 4, 6, 12, 20)}  # the detector finds none 2 after at 50 kHz


def return_fast_heights():
    for name, kind, polarity, rate, seed, tau in RETURN_FAST:
        rng = np.random.RandomState(seed)
        events, bands = [], []
        after = RETURN_FAST_AFTER[rate]
        for record, k in enumerate(after):
            other = ("exp", int(0.03 * rate), -float(rng.uniform(60.0, 150.0)), 5e-4, tau, record)
            own = ("biexp", other[1] + int(round(k * tau * rate)), float(rng.uniform(17.0, 21.0)), 4e-4, 0.004, record)
            events += [other, own]
            bands.append((1.25 * own[2], 0.75 * own[2]))
        seconds = round(0.03 + after[-1] * tau + 0.05, 3)
        print_heights(name, kind, polarity, rate, seconds, len(after), 1.0, seed, events, bands, threshold=8e-12)
        print(f"rows\t{len(after)}")


def main():
    print("# Written by tests/data/cycle_events_truth.py; see its head comment.")
    action_potentials()
    cardiac_plateaus()
    evoked_tails()
    population_spikes()
    for name, kind, detection, noise, seed, events in NOISY:
        print_noisy(name, kind, detection, 1.0, 1, noise, seed, events)
    for name, kind, detection, seconds, records, noise, seed, events in SHORT:
        print_noisy(name, kind, detection, seconds, records, noise, seed, events)
    record_starts()
    for name, kind, detection, rate, baseline, seconds, unit, events in RECORDINGS:
        polarity = -1.0 if " -1 " in detection else 1.0
        shapes = [Shape(*e) for e in events]
        x = signal(shapes, rate, baseline, polarity, int(round(seconds * rate)))
        print_recording((name, kind, detection, rate, baseline, seconds, unit, 1, 0.0, 0), [e + (0,) for e in events])
        for row, e in enumerate(shapes, start=1):
            values, units = expected(e, rate, baseline, polarity, unit, x)
            for column in TYPE0 if kind == 0 else TYPE2:
                heading = f"{column} ({units[column]})"
                cell = None if (name, row, column) in UNFITTED else values[column]
                if cell is None or cell == "blank":
                    print(f"expect\t{row}\t{heading}\t{cell or '-'}\t-")
                else:
                    print(f"expect\t{row}\t{heading}\t{cell[0]:.9g}\t{abs(cell[1]):.3g}")
    for recording in BATTERY:
        print_battery(*recording)
    for recording in NOISE_BATTERY:
        print_noise_battery(*recording)
    noise_kinds()
    population_spikes_on_fepsp()
    noisy_cardiac_shapes()
    ahp_on_other_shapes()
    evoked_one_sided_artefact()
    evoked_rectangular_artefact()
    riding_heights()
    slow_heights()
    return_heights()
    slow_fast_rate_heights()
    return_fast_heights()


if __name__ == "__main__":
    main()
