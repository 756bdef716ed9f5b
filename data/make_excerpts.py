#!/usr/bin/env python3
"""Cuts the example recordings in data/ out of the converted recordings they come from.

Each excerpt keeps whole lines of its source (the values exactly as written there) for the span
and records named below; only the time column is rewritten, so that every record starts at 0 s
again. Run from the repository's top folder, with the folder of the converted recordings:

    PYENV_VERSION=system python3 data/make_excerpts.py ../shared/data

Plain Python 3, no packages; data/README.md says where each source comes from.
"""
import os
import sys

# (excerpt, source, records kept (counted from 0), first and last second kept, time decimals)
EXCERPTS = [
    ("neuron_steps.csv", "neuron_steps_17o05028.csv", [2, 3], 0.0, 0.8, 5),
    ("synaptic_currents.csv", "synaptic_epsc_17o05026.csv", [0], 1.0, 3.5, 5),
    ("evoked_ap.csv", "evoked_ap_18425108.csv", [0], 0.8, 1.4, 5),
]


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


def main():
    source_folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join("..", "shared", "data")
    here = os.path.dirname(os.path.abspath(__file__))
    for name, source, records, start, end, decimals in EXCERPTS:
        header, all_records = read_records(os.path.join(source_folder, source))
        kept = ["\n".join(cut(all_records[r], start, end, decimals)) for r in records]
        with open(os.path.join(here, name), "w", encoding="ascii", newline="\n") as out:
            out.write(header + "\n" + "\n\n".join(kept) + "\n")
        print("%s: %d bytes" % (name, os.path.getsize(os.path.join(here, name))))


if __name__ == "__main__":
    main()
