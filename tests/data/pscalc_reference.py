#!/usr/bin/env python3
# Reference population-spike measurements for tests/enumerators/PSCalcChainTest.cpp.
#
# Tool: numpy 1.24.2 and scipy 1.10.1 (Debian python3-numpy / python3-scipy). No random numbers (no seed).
# Rerun:  PYENV_VERSION=system python3 tests/data/pscalc_reference.py > tests/data/pscalc_reference.txt
#
# Recording at 1 kHz (period 0.001 s), 6000 ticks, float32. Channel 2: one-sample pulses of 5.0 at the
# stimulus ticks 1000, 2000, 3000, 4000, 5000. Channel 1, zero outside the responses:
#   1000: piecewise linear through (1000,0) (1010,1) (1020,-3) (1030,2) (1040,0)
#   2000: (2000,0) (2010,1) (2011,-1) (2012,-1) (2013,1) (2020,0)
#   3000: (3000,0) (3010,10) (3020,2) (3030,8) (3040,1) (3050,9) (3060,0)
#   4000: 3 exp(-((t-4015)/3)^2) - 5 exp(-((t-4030)/4)^2) + 2 exp(-((t-4050)/5)^2) for 4000 <= t < 4200
#   5000: nothing (a stimulus without a spike)
# Chain: pscalc(ch1, pspeakdet(ch1, erstimdet(ch2, 1), 0, 200), 0, 20, 15).
#
# Per response: peaks and troughs inside [stimulus, stimulus + 200) from scipy.signal.find_peaks on the signal
# and on its negative; the spike is the (peak, trough, peak) triple, in tick order, of the deepest trough
# y_a - 2 y_m + y_c. Then, with dt = 0.001:
#   height ... numpy.interp of the peak-to-peak line at the trough tick, minus the trough (rel 1e-5)
#   area ..... (numpy.trapz of that line over [t1, t3]) - sum of the samples t1 .. t3 - 1, times dt (rel 1e-5)
#   slope .... numpy.polyfit degree 1 of samples stimulus .. stimulus + 20 against 1..21, divided by dt (rel 1e-5)
#   value .... the sample at stimulus + 15
# Line format: "spike t0 t1 t2 t3 y1 y2 y3 height area slope value" or "empty t0".
import numpy as np
from scipy.signal import find_peaks

N = 6000
DT = 0.001
STIMULI = [1000, 2000, 3000, 4000, 5000]


def piecewise(x, vertices):
    ticks = [v[0] for v in vertices]
    values = [v[1] for v in vertices]
    x[ticks[0]:ticks[-1] + 1] = np.interp(np.arange(ticks[0], ticks[-1] + 1), ticks, values)


def channel1():
    x = np.zeros(N)
    piecewise(x, [(1000, 0), (1010, 1), (1020, -3), (1030, 2), (1040, 0)])
    piecewise(x, [(2000, 0), (2010, 1), (2011, -1), (2012, -1), (2013, 1), (2020, 0)])
    piecewise(x, [(3000, 0), (3010, 10), (3020, 2), (3030, 8), (3040, 1), (3050, 9), (3060, 0)])
    t = np.arange(4000, 4200, dtype=np.float64)
    x[4000:4200] = (3 * np.exp(-((t - 4015) / 3) ** 2) - 5 * np.exp(-((t - 4030) / 4) ** 2)
                    + 2 * np.exp(-((t - 4050) / 5) ** 2))
    return x.astype(np.float32)


def spike(x, s):
    w = x[s:s + 200].astype(np.float64)
    peaks = list(find_peaks(w)[0])
    troughs = list(find_peaks(-w)[0])
    best = None
    for i in peaks:
        for j in peaks:
            for m in troughs:
                if i < m < j:
                    depth = w[i] - 2 * w[m] + w[j]
                    if best is None or depth > best[0]:
                        best = (depth, i, m, j)
    if best is None:
        return None
    return s + best[1], s + best[2], s + best[3]


def main():
    x = channel1()
    v = x.astype(np.float64)
    print("# tolerance rel 1e-5")
    for s in STIMULI:
        found = spike(x, s)
        if found is None:
            print(f"empty {s}")
            continue
        t1, t2, t3 = found
        line = np.interp(np.arange(t1, t3 + 1), [t1, t3], [v[t1], v[t3]])
        height = np.interp(t2, [t1, t3], [v[t1], v[t3]]) - v[t2]
        area = (np.trapz(line) - np.sum(v[t1:t3])) * DT
        window = v[s:s + 21]
        slope = np.polyfit(np.arange(1, 22), window, 1)[0] / DT
        print(f"spike {s} {t1} {t2} {t3} {v[t1]!r} {v[t2]!r} {v[t3]!r} {height!r} {area!r} {slope!r} {v[s + 15]!r}")


main()
