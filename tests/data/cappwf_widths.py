#!/usr/bin/env python3
# Reference half-height widths of the peaks of the width filter's test signal, for
#   cappwf(ch1, calcbase(ch1, cappeakdet(ch1, 0.3)), W).
# Tool: Python 3.11 with numpy 1.24.2 and scipy 1.10.1 (scipy.signal.find_peaks and peak_widths), Debian's
# python3-numpy and python3-scipy. No random numbers.
# Signal (1 kHz, 20000 samples, computed in double, stored as float32): baseline exactly 0, and for k = 0..15 a
# peak at c = 1000 + 1200 k of height h = 1 + 0.05 k that rises linearly over r = 10 ticks and falls linearly
# over f = 10 + 8 k ticks. On a baseline of 0 the filter's half level is the half height that peak_widths uses
# (rel_height 0.5, prominence from 0), and its width is the last sample at or below half height before the peak
# to the first one after it: ceil(right_ips) - floor(left_ips) ticks.
# Columns: peak tick, left_ips, right_ips, width in ticks.
# Rerun: PYENV_VERSION=system python3 tests/data/cappwf_widths.py > tests/data/cappwf_widths.txt
import numpy as np
from scipy.signal import find_peaks, peak_widths

n = 20000
t = np.arange(n, dtype=np.float64)
x = np.zeros(n)
for k in range(16):
    c, h, r, f = 1000 + 1200 * k, 1.0 + 0.05 * k, 10.0, 10.0 + 8 * k
    rise = (t >= c - r) & (t <= c)
    fall = (t > c) & (t <= c + f)
    x[rise] = h * (t[rise] - (c - r)) / r
    x[fall] = h * (1.0 - (t[fall] - c) / f)
x = x.astype(np.float32)
peaks, _ = find_peaks(x, prominence=0.3)
widths, heights, left, right = peak_widths(x, peaks, rel_height=0.5)
print("# peak left_ips right_ips width_ticks")
for p, a, b in zip(peaks, left, right):
    print(p, repr(float(a)), repr(float(b)), int(np.ceil(b) - np.floor(a)))
