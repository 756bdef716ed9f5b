#!/usr/bin/env python3
# Checks that the module's chains still give every record bit for bit as before: runs ondara-bench.exe with
# --digest over each recording and chain below and compares the digests with bench/digests.txt.
#
#   PYENV_VERSION=system python3 bench/check_digests.py [--update]
# --update writes the present digests as the new reference (only after a change meant to alter records).
import argparse
import os
import sys

from benchrun import ROOT, field, run

DATA = os.path.join(os.path.dirname(ROOT), "shared", "data")
if not os.path.isdir(DATA):
    DATA = "/work/shared/data"
REFERENCE = os.path.join(ROOT, "bench", "digests.txt")

# Detector thresholds per recording (its first channel, in base units: volts, amperes): a usual one and,
# where it finds few events, one that finds many small ones as well.
THRESHOLDS = {
    "cardiac_sanode_19114001.csv": ["0.03", "0.002"],
    "ecg_mitbih100_mlii.csv": ["0.0005", "0.00005"],
    "neuron_steps_17o05028.csv": ["0.02", "0.002"],
    "evoked_ap_18425108.csv": ["0.1e-9"],
    "evoked_epsc_f1.csv": ["100e-12", "10e-12"],
    "synaptic_epsc_17o05026.csv": ["20e-12"],
    "tau_relaxation_130618-1-12.csv": ["50e-12", "5e-12"],
    "varlength_2020_06_16_0000.csv": ["1e-12"],
}
FORMULAS = [
    "cappeakdet(ch1,{h})",
    "CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h}))))",
    "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h})))))",
]
CHAINS = ["detector", "full"]  # the registered chains over the synthetic cardiac signal


def bench(args):
    out = run(["--digest"] + args)
    return f"{field(out, 'events')} {field(out, 'digest')}"


def present():
    lines = []
    for name, levels in THRESHOLDS.items():
        for text in [formula.format(h=h) for h in levels for formula in FORMULAS]:
            lines.append(f"{name} {text} {bench(['--recording', os.path.join(DATA, name), '--formula', text])}")
    for chain in CHAINS:
        lines.append(f"synthetic {chain} {bench(['--chain', chain, '--samples', '2000000'])}")
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--update", action="store_true")
    args = parser.parse_args()
    lines = present()
    if args.update:
        with open(REFERENCE, "w") as f:
            f.write("\n".join(lines) + "\n")
        print(f"wrote {len(lines)} digests")
        return
    with open(REFERENCE) as f:
        reference = f.read().splitlines()
    differ = [(old, new) for old, new in zip(reference, lines) if old != new]
    for old, new in differ:
        print(f"was {old}\nnow {new}")
    if len(reference) != len(lines):
        print(f"{len(reference)} digests in the reference, {len(lines)} now")
    print(f"{len(lines) - len(differ)} of {len(lines)} digests unchanged")
    sys.exit(1 if differ or len(reference) != len(lines) else 0)


main()
