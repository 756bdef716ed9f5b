#!/usr/bin/env python3
# Throughput of the module's detector and full measurement chain against the scipy pipeline a user would
# otherwise pick (find_peaks with prominences, then peak_widths at ten heights), on the same samples, in one run.
#
# Run after building (the benchmark runs under Wine with the build's prefix):
#   PYENV_VERSION=system python3 bench/compare_scipy.py [--repeat N] [RECORDING.csv ...]
# Default recordings: shared/data/cardiac_sanode_19114001.csv and shared/data/ecg_mitbih100_mlii.csv.
# Each recording's first channel is read by the stand-in host (which keeps values in base units, so a "[mV]"
# column is read in volts) and by numpy (in the file's units); the thresholds below say the same in both.
import argparse
import os
import sys
import time

import numpy as np
from scipy.signal import find_peaks, peak_widths

from benchrun import ROOT, field, run

DATA = os.path.join(os.path.dirname(ROOT), "shared", "data")
if not os.path.isdir(DATA):
    DATA = "/work/shared/data"

# Minimum peak height: in volts for the module, in the file's unit (mV) for scipy's prominence.
THRESHOLDS = {
    "cardiac_sanode_19114001.csv": 0.03,  # action potentials rise about 0.115 V
    "ecg_mitbih100_mlii.csv": 0.0005,     # R waves stand about 1.5 mV above the baseline
}
FULL = "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h})))))"
DETECTOR = "cappeakdet(ch1,{h})"


def run_bench(recording, formula, repeat):
    out = run(["--recording", recording, "--formula", formula, "--repeat", str(repeat)])
    return int(field(out, "samples")), int(field(out, "events")), float(field(out, "throughput")) * 1e6


def scipy_pipeline(x, prominence):
    peaks, props = find_peaks(x, prominence=prominence)
    data = (props["prominences"], props["left_bases"], props["right_bases"])
    widths = [peak_widths(x, peaks, rel_height=k / 10, prominence_data=data)[0] for k in range(1, 11)]
    return peaks, widths


def time_scipy(x, prominence, repeat):
    best = None
    for _ in range(repeat):
        start = time.perf_counter()
        peaks, _ = scipy_pipeline(x, prominence)
        seconds = time.perf_counter() - start
        best = seconds if best is None else min(best, seconds)
    return len(peaks), x.size / best


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("recordings", nargs="*",
                        default=[os.path.join(DATA, name) for name in THRESHOLDS])
    args = parser.parse_args()
    print(f"{'recording':30} {'samples':>9} {'events':>13} {'detector':>10} {'full':>9} {'scipy':>8} "
          f"{'full/scipy':>10} {'det/scipy':>9}")
    for path in args.recordings:
        h = THRESHOLDS[os.path.basename(path)]
        x = np.loadtxt(path, delimiter=",", skiprows=1, usecols=1)  # float64, as a user would load it
        samples, det_events, det = run_bench(path, DETECTOR.format(h=h), args.repeat)
        _, full_events, full = run_bench(path, FULL.format(h=h), args.repeat)
        if samples != x.size:
            sys.exit(f"{path}: the module read {samples} samples, numpy {x.size}")
        sp_events, sp = time_scipy(x, h * 1000.0, args.repeat)
        print(f"{os.path.basename(path):30} {samples:9d} {full_events:6d}/{sp_events:<6d} {det / 1e6:8.1f}M "
              f"{full / 1e6:7.1f}M {sp / 1e6:6.1f}M {full / sp:10.1f} {det / sp:9.1f}")
    print("throughput in million samples per second (best of --repeat); events: module chain / scipy peaks")


main()
