# Reference peaks of the self-check cardiac signal, for the cardiac peak detector's test.
# Tool: Python 3 with numpy 1.24.2 and scipy 1.10.1 (scipy.signal.find_peaks), Debian's python3-scipy.
# Signal: 1/(0.01+(1-sin(5t)))^2 * 0.0001 + threshold(sin(5t-2.5), 0.5) * (sin(5t-2.5) - 0.5) * (1 + 0.1t),
#   threshold(x, l) = 1 where x > l else 0; t = i / 1000 s for sample i; computed in double, stored as float32.
# Parameters: 300000 samples (300 s at 1 kHz); find_peaks(prominence=0.1), the detector's "Min Height" 0.1.
# No random numbers. Output: cardiac_peaks.csv, one line per peak: tick,value (value as float32, 9 digits).
# Rerun: cd tests/data && PYENV_VERSION=system python3 cardiac_peaks.py > cardiac_peaks.csv
import numpy as np
from scipy.signal import find_peaks

N = 300000
t = np.arange(N, dtype=np.float64) / 1000.0
s = np.sin(5.0 * t - 2.5)
x = 1.0 / (0.01 + (1.0 - np.sin(5.0 * t))) ** 2 * 0.0001 + np.where(s > 0.5, 1.0, 0.0) * (s - 0.5) * (1.0 + 0.1 * t)
x = x.astype(np.float32)
peaks, _ = find_peaks(x, prominence=0.1)
print("# tick,value  (prominence 0.1, 300000 samples at 1 kHz; values exact float32)")
for p in peaks:
    print("%d,%.9g" % (p, x[p]))
