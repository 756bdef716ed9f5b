#!/usr/bin/env python3
# Reference stimuli, action-potential peaks and latencies of the evoked-response chain
#   CalcBulk(ch2, CalcBase2(ch2, calcamax(ch2, calcbase(ch2,
#     erpeakdet(ch2, erstimdet(ch1, 1e-9, 5, 0, 5, 0), 0.02, 0, 1)))))
# on data/evoked_ap.csv (25 kHz; ch1 injected current, ch2 membrane potential; the host keeps
# them in A and V, this script reads the file's nA and mV), computed directly from the signal with numpy,
# written independently of the module's code.
# Tool: Python 3.11 with numpy 1.24.2 (Debian's python3-numpy). No random numbers.
# Definitions:
#   pulse onset  = first sample of ch1 above 1 nA after one at or below it (threshold crossing);
#   stimulus     = the first sample of the pulse that equals the pulse's highest value (the pulse's top);
#   AP peak      = highest ch2 sample in the 1 ms after the stimulus that lies after it and rises at least
#                  20 mV above ch2 at the stimulus; none when there is no such sample;
#   baseline     = mean of ch2 over the 10 ms before the onset;
#   AP start S   = last sample before the peak at or below baseline + 5 % of (peak - baseline);
#   latency      = (S - stimulus) x 40 us, in seconds.
# Columns: onset stimulus peak start latency (peak, start and latency "-" without an AP). The module's
# start may differ by one tick where its flat-segment baseline differs from this mean: tolerance 1 tick.
# Rerun: PYENV_VERSION=system python3 tests/data/evoked_ap_reference.py > tests/data/evoked_ap_reference.txt
import os

import numpy as np

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PERIOD = 40e-6
d = np.loadtxt(os.path.join(ROOT, "data", "evoked_ap.csv"), delimiter=",", skiprows=1, dtype=np.float32)
i, v = d[:, 1], d[:, 2]
onsets = np.where((i[1:] > 1.0) & (i[:-1] <= 1.0))[0] + 1
print("# onset stimulus peak start latency_s")
for onset in onsets:
    end = onset + np.argmax(i[onset:] <= 1.0)
    stim = onset + int(np.argmax(i[onset:end] == i[onset:end].max()))
    window = v[stim + 1:stim + 26]
    peak = stim + 1 + int(np.argmax(window))
    if v[peak] - v[stim] < 20.0:
        print(onset, stim, "-", "-", "-")
        continue
    base = float(np.mean(v[onset - 250:onset], dtype=np.float64))
    level = base + 0.05 * (float(v[peak]) - base)
    below = np.where(v[:peak] <= level)[0]
    start = int(below[-1])
    print(onset, stim, peak, start, "%.5f" % ((start - stim) * PERIOD))
