#!/usr/bin/env python3
# What each stage of the full measurement chain costs per sample: times every leading part of the chain
# (detector; + baseline; + extreme; + second baseline; + full measurement) with ondara-bench.exe and prints the
# nanoseconds per sample each stage adds, best of --rounds runs of --repeat passes each.
#
#   PYENV_VERSION=system python3 bench/stage_costs.py [--repeat N] [--rounds N] RECORDING.csv THRESHOLD
import argparse

from benchrun import field, run

STAGES = [
    ("detector", "cappeakdet(ch1,{h})"),
    ("baseline", "calcbase(ch1,{inner})"),
    ("extreme", "calcamax(ch1,{inner})"),
    ("second baseline", "CalcBase2(ch1,{inner})"),
    ("full measurement", "CalcBulk(ch1,{inner})"),
]


def throughput(recording, formula, repeat):
    return float(field(run(["--recording", recording, "--formula", formula, "--repeat", str(repeat)]), "throughput"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=20)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("recording")
    parser.add_argument("threshold")
    args = parser.parse_args()
    formula, before = "", 0.0
    print(f"{'stage':18} {'chain M/s':>10} {'ns/sample':>10} {'stage adds':>11}")
    for name, text in STAGES:
        formula = text.format(h=args.threshold, inner=formula)
        best = max(throughput(args.recording, formula, args.repeat) for _ in range(args.rounds))
        total = 1000.0 / best
        print(f"{name:18} {best:10.1f} {total:10.2f} {total - before:11.2f}")
        before = total


main()
