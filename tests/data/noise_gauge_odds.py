# The odds that a group of white noise is trimmed by the noise gauge (host/cycles/NoiseGauge.h): 16 groups, each the
# mean square of m normal samples (chi-square of m degrees over m); the reference is the (16 / 4)-th smallest
# from 0 (the fifth); a group is left out above 5 times it or below a third of it. Monte Carlo with numpy (the
# version is printed first), seed 1, 10^6 windows per m.
# Rerun: PYENV_VERSION=system python3 tests/data/noise_gauge_odds.py > tests/data/noise_gauge_odds.txt
import numpy as np

rng = np.random.default_rng(1)
draws = 10**6
print("numpy %s" % np.__version__)
print("m  above_5x_reference  below_third_of_reference  (per group, %d windows of 16)" % draws)
for m in (4, 8, 16, 64):
    above = below = 0
    for chunk in range(10):
        slots = rng.chisquare(m, size=(draws // 10, 16)) / m
        reference = np.sort(slots, axis=1)[:, 4:5]
        above += np.count_nonzero(slots > 5 * reference)
        below += np.count_nonzero(3 * slots < reference)
    total = draws * 16
    fmt = lambda k: ("1 in %.0f" % (total / k)) if k else "none in %d" % total
    print("%d  %s  %s" % (m, fmt(above), fmt(below)))

