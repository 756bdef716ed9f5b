#!/usr/bin/env python3
# Reference for erpeakdet(ch1, erstimsob(50), 1e-9, 0, W) on tests/data/recordings/evoked_epsc.csv (20 kHz, 3 records):
# the stimulus of every record lies at 50 ms (tick 1000); the first sample above 1 nA after it is the top of the
# first stimulus artefact, a sharp peak that rises and falls by far more than 1 nA, and the first peak found
# when the window (W ms after the stimulus) reaches it.
# Tool: Python 3.11 with numpy 1.24.2 (Debian's python3-numpy). No random numbers.
# Columns: record, tick of the first sample above 1000 pA after tick 1000, its value in pA, the highest sample
# from tick 1000 up to it, in pA.
# Rerun: PYENV_VERSION=system python3 tests/data/evoked_epsc_artefacts.py > tests/data/evoked_epsc_artefacts.txt
import os

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
records = open(os.path.join(HERE, "recordings", "evoked_epsc.csv")).read().split("\n\n")
print("# record tick value_pA highest_before_pA")
for k, text in enumerate(records):
    lines = [line for line in text.strip().split("\n") if not line.startswith("Time")]
    im = np.array([float(line.split(",")[1]) for line in lines], dtype=np.float32)
    tick = 1000 + int(np.argmax(im[1000:] > 1000.0))
    print(k, tick, repr(float(im[tick])), repr(float(im[1000:tick].max())))
