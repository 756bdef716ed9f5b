#!/usr/bin/env python3
# Checks that the module's chains and the stand-in host's cycle detector still give every record bit for bit as
# before: runs ondara-bench.exe with --digest over each committed recording and chain below and compares the
# digests with bench/digests.txt.
#
#   PYENV_VERSION=system python3 bench/check_digests.py [--update]
# --update writes the present digests as the new reference (only after a change meant to alter records).
import argparse
import os
import sys

from benchrun import ROOT, field, run

REFERENCE = os.path.join(ROOT, "bench", "digests.txt")

# Detector thresholds per committed recording (named from the repository's top folder; its first channel, in
# base units: volts, amperes): a usual one and, where it finds few events, one that finds many small ones as well.
THRESHOLDS = {
    "tests/data/recordings/sanode_ap.csv": ["0.03", "0.002"],
    "data/ecg_mitbih100_mlii.csv": ["0.0005", "0.00005"],
    "data/neuron_steps.csv": ["0.02", "0.002"],
    "data/evoked_ap.csv": ["0.1e-9"],
    "tests/data/recordings/evoked_epsc.csv": ["100e-12", "10e-12"],
    "data/synaptic_currents.csv": ["20e-12"],
    "tests/data/recordings/synaptic_records.csv": ["20e-12"],
    "tests/data/recordings/varlength.csv": ["1e-12"],
}
FORMULAS = [
    "cappeakdet(ch1,{h})",
    "CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h}))))",
    "CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,{h})))))",
]
# The host's cycle detector alone: a relative threshold of 5 SD either way, and the recording's first threshold
# (a height in its base unit) either way.
CYCLE_FORMULAS = ["PXDetect(ch1,1,0.5,5,10,50,1)", "PXDetect(ch1,0,0.5,5,10,50,1)",
                  "PXDetect(ch1,1,0.5,{h},10,50,0)", "PXDetect(ch1,0,0.5,{h},10,50,0)"]
CHAINS = ["detector", "full"]  # the registered chains over the synthetic cardiac signal


def bench(args):
    out = run(["--digest"] + args)
    return f"{field(out, 'events')} {field(out, 'digest')}"


def present():
    lines = []
    for name, levels in THRESHOLDS.items():
        texts = [formula.format(h=h) for h in levels for formula in FORMULAS]
        texts += [formula.format(h=levels[0]) for formula in CYCLE_FORMULAS]
        for text in texts:
            lines.append(f"{name} {text} {bench(['--recording', os.path.join(ROOT, name), '--formula', text])}")
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
