#!/usr/bin/env python3
# Throughput of the module's detector and full measurement chain against the scipy pipeline a careful user
# writes for the same recording (find_peaks with a height, a distance and a prominence chosen for it, then
# peak_widths at ten heights), on the same samples, in one run.
#
# Run after building (the benchmark runs under Wine with the build's prefix):
#   PYENV_VERSION=system python3 bench/compare_scipy.py [--repeat N] [KIND[=RECORDING.csv] ...]
# KIND is ecg, sanode or synaptic (the settings below). By default all run on the committed recordings: the bundled
# ECG and synaptic currents in data/ and the sino-atrial excerpt in tests/data/recordings/. KIND=RECORDING.csv runs
# that kind's settings on another recording of the same kind instead (for development, e.g. a longer conversion of
# the same source). synaptic times the host's cycle scan (a relative threshold, the detector of types 0 and 2)
# against find_peaks with a prominence of the same threshold and a distance of its interval; its full chain is the
# module's and is not timed.
# Each recording's first channel is read by the stand-in host (which keeps values in base units, so a "[mV]"
# column is read in volts) and by numpy (in the file's units); the settings below say the same in both.
import argparse
import os
import sys
import time

import numpy as np
from scipy.signal import find_peaks, peak_widths

from benchrun import ROOT, field, run

# Per kind: the committed recording (from the repository's top folder), the module's detector and full chain
# (none: not timed), and scipy's arguments (in the file's units) as a function of the samples.
DETECTOR = "cappeakdet(ch1,{h})"
FULL = "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h})))))"
# Inward currents 5 noise SDs deep or more, measured over 50 ms, at least 10 ms apart.
SCAN = "PXDetect(ch1,1,0.5,5,10,50,1)"


def noise_sd(x):
    """The noise's SD from the median absolute first difference (robust to the events), for scipy's prominence.
    It sees white noise whole and low-passed noise less, so find_peaks keeps more peaks than the scan finds there;
    its time depends on the samples far more than on them."""
    d = np.diff(x)
    return 1.4826 * np.median(np.abs(d - np.median(d))) / np.sqrt(2.0)


RECORDINGS = {
    # R waves stand about 1.5 mV above a baseline within +-0.8 mV; no two beats within 200 ms (72 samples
    # at 360 Hz); the module's minimum height in volts.
    "ecg": ("data/ecg_mitbih100_mlii.csv", DETECTOR.format(h=0.0005), FULL.format(h=0.0005),
            lambda x: (x, dict(height=0.5, distance=72, prominence=0.5))),
    # Action potentials overshoot 0 mV and rise about 115 mV; no two within 100 ms (2000 samples at 20 kHz).
    "sanode": ("tests/data/recordings/sanode_ap.csv", DETECTOR.format(h=0.03), FULL.format(h=0.03),
               lambda x: (x, dict(height=0.0, distance=2000, prominence=30.0))),
    # Inward currents at 20 kHz: the scan's threshold and interval (200 samples) as find_peaks's prominence and
    # distance, on the samples turned over.
    "synaptic": ("data/synaptic_currents.csv", SCAN, None,
                 lambda x: (-x, dict(distance=200, prominence=5.0 * noise_sd(x)))),
}


def run_bench(recording, formula, repeat):
    out = run(["--recording", recording, "--formula", formula, "--repeat", str(repeat)])
    return int(field(out, "samples")), int(field(out, "events")), float(field(out, "throughput")) * 1e6


def scipy_peaks(x, settings):
    return find_peaks(x, **settings)


def scipy_full(x, settings):
    peaks, props = find_peaks(x, **settings)
    data = (props["prominences"], props["left_bases"], props["right_bases"])
    return peaks, [peak_widths(x, peaks, rel_height=k / 10, prominence_data=data)[0] for k in range(1, 11)]


def time_scipy(pipeline, x, settings, repeat):
    """The number of peaks and the best throughput in samples per second."""
    best = None
    for _ in range(repeat):
        start = time.perf_counter()
        peaks, _ = pipeline(x, settings)
        seconds = time.perf_counter() - start
        best = seconds if best is None else min(best, seconds)
    return len(peaks), x.size / best


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("recordings", nargs="*", default=list(RECORDINGS), metavar="KIND[=RECORDING.csv]")
    args = parser.parse_args()
    print(f"{'recording':28} {'samples':>8} {'events':>9} {'detector':>9} {'find_peaks':>10} {'det/fp':>6} "
          f"{'full':>7} {'scipy full':>10} {'full/sf':>7}")
    for given in args.recordings:
        kind, _, path = given.partition("=")
        if kind not in RECORDINGS:
            sys.exit(f"{kind}: not one of {', '.join(RECORDINGS)}")
        committed, detector, full_chain, arguments = RECORDINGS[kind]
        path = path or os.path.join(ROOT, committed)
        name = os.path.basename(path)
        if not os.path.isfile(path):
            sys.exit(f"{path}: no such recording")
        x = np.loadtxt(path, delimiter=",", skiprows=1, usecols=1)  # float64, as a user would load it
        samples, det_events, det = run_bench(path, detector, args.repeat)
        if samples != x.size:
            sys.exit(f"{path}: the module read {samples} samples, numpy {x.size}")
        x, settings = arguments(x)
        sp_events, sp = time_scipy(scipy_peaks, x, settings, args.repeat)
        line = f"{name:28} {samples:8d} {det_events:4d}/{sp_events:<4d} {det / 1e6:8.1f}M {sp / 1e6:9.1f}M {det / sp:6.1f}"
        if full_chain:
            _, _, full = run_bench(path, full_chain, args.repeat)
            _, sf = time_scipy(scipy_full, x, settings, args.repeat)
            line += f" {full / 1e6:6.1f}M {sf / 1e6:9.1f}M {full / sf:7.1f}"
        print(line)
    print("throughput in million samples per second (best of --repeat); events: module detector / scipy peaks;")
    print("scipy: find_peaks(x, height, distance, prominence), full adds peak_widths at ten relative heights")


main()
