#!/usr/bin/env python3
"""Cuts the example recordings in data/ and the test recordings in tests/data/recordings/ out of the
converted recordings they come from.

Each excerpt keeps whole lines of its source (the values exactly as written there) for the span
and records named below; only the time column is rewritten, so that every record starts at 0 s
again. A side table is copied whole. Run from the repository's top folder, giving the folder of the
converted recordings (data/README.md and tests/data/recordings/README.md name their sources):

    PYENV_VERSION=system python3 data/make_excerpts.py FOLDER

Plain Python 3, no packages.
"""
import os
import shutil
import sys

# (excerpt, source, [(record kept, counted from 0; first and last second kept)], time decimals)
EXAMPLES = [
    ("neuron_steps.csv", "neuron_steps_17o05028.csv", [(2, 0.0, 0.8), (3, 0.0, 0.8)], 5),
    ("synaptic_currents.csv", "synaptic_epsc_17o05026.csv", [(0, 1.0, 3.5)], 5),
    ("evoked_ap.csv", "evoked_ap_18425108.csv", [(0, 0.8, 1.4)], 5),
]
TESTS = [
    ("sanode_ap.csv", "cardiac_sanode_19114001.csv", [(0, 0.0, 2.5)], 5),
    ("evoked_epsc.csv", "evoked_epsc_f1.csv", [(0, 0.0, 0.4), (1, 0.0, 0.4), (2, 0.0, 0.4)], 5),
    ("synaptic_records.csv", "synaptic_epsc_17o05026.csv", [(0, 1.0, 1.5), (1, 1.0, 1.5), (2, 1.0, 1.5)], 5),
    ("synaptic_late.csv", "synaptic_epsc_17o05026.csv", [(0, 9.5, 10.0)], 5),
    ("varlength.csv", "varlength_2020_06_16_0000.csv", [(0, 0.0, 0.354), (1, 0.0, 0.7004), (2, 0.0, 0.1604)], 4),
]
# (copy, source): side tables kept whole.
TABLES = [("ecg_annotations.csv", "ecg_mitbih100_annotations.csv")]


def read_records(path):
    with open(path, encoding="ascii") as source:
        header = source.readline().rstrip("\n")
        records, lines = [], []
        for line in source:
            line = line.rstrip("\n")
            if line:
                lines.append(line)
                continue
            records.append(lines)
            lines = []
        records.append(lines)
    return header, records


def tick_period(lines):
    first = float(lines[0].split(",", 1)[0])
    return float(lines[1].split(",", 1)[0]) - first


def cut(lines, start, end, decimals):
    period = tick_period(lines)
    first = round(start / period)
    last = round(end / period)
    kept = []
    for i, line in enumerate(lines[first:last]):
        values = line.split(",", 1)[1]
        kept.append("%.*f,%s" % (decimals, i * period, values))
    return kept


def write_excerpts(source_folder, folder, excerpts):
    for name, source, spans, decimals in excerpts:
        header, all_records = read_records(os.path.join(source_folder, source))
        kept = ["\n".join(cut(all_records[r], start, end, decimals)) for r, start, end in spans]
        path = os.path.join(folder, name)
        with open(path, "w", encoding="ascii", newline="\n") as out:
            out.write(header + "\n" + "\n\n".join(kept) + "\n")
        print("%s: %d bytes" % (path, os.path.getsize(path)))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_excerpts.py FOLDER (the folder of the converted recordings)")
    source_folder = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    tests = os.path.join(os.path.dirname(here), "tests", "data", "recordings")
    write_excerpts(source_folder, here, EXAMPLES)
    write_excerpts(source_folder, tests, TESTS)
    for name, source in TABLES:
        shutil.copyfile(os.path.join(source_folder, source), os.path.join(tests, name))
        print("%s: copied" % os.path.join(tests, name))


if __name__ == "__main__":
    main()
