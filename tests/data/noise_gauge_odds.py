# The noise gauge's trim bounds (host/cycles/NoiseGauge.h) and the odds that a group of noise is trimmed by them.
# A group's quiet mean square is taken as chi-square of nu degrees over nu, nu its effective number of independent
# samples; the reference is the fifth smallest of 16 groups (rank 16 / 4 from 0). For each nu of the table, Monte
# Carlo (numpy, seed 1, 10^6 windows of 16 per nu), the bound above is the ratio of a group to its window's
# reference that noise exceeds once in 1000 groups, and the bound below the ratio of the reference to a group that
# noise exceeds once in 1000; the gauge never takes them narrower than 5 and 3. Then, with fresh draws (seed 2),
# how often a group lies beyond the bounds as the gauge takes them.
# Rerun: PYENV_VERSION=system python3 tests/data/noise_gauge_odds.py > tests/data/noise_gauge_odds.txt
import numpy as np

ODDS = 1e-3
LEAST_ABOVE, LEAST_BELOW = 5.0, 3.0
NUS = (1, 1.25, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10, 12, 16)

print("numpy %s" % np.__version__)
print("nu  above  below  (bounds as the gauge takes them, /* nu, above, below */ rows)")
rng = np.random.default_rng(1)
draws = 10**6
bounds = []
for nu in NUS:
    ratios = []
    for chunk in range(10):
        slots = rng.chisquare(nu, size=(draws // 10, 16)) / nu
        ratios.append((slots / np.sort(slots, axis=1)[:, 4:5]).ravel())
    ratios = np.concatenate(ratios)
    above = max(LEAST_ABOVE, np.quantile(ratios, 1.0 - ODDS))
    below = max(LEAST_BELOW, 1.0 / np.quantile(ratios, ODDS))
    bounds.append((nu, above, below))
    print("{%.3f, %.3f, %.3f}," % (nu, above, below))

rng = np.random.default_rng(2)
print("nu  above_bound  below_bound  (per group, %d windows of 16)" % draws)
for nu, above, below in bounds + [(32, LEAST_ABOVE, LEAST_BELOW), (64, LEAST_ABOVE, LEAST_BELOW)]:
    over = under = 0
    for chunk in range(10):
        slots = rng.chisquare(nu, size=(draws // 10, 16)) / nu
        reference = np.sort(slots, axis=1)[:, 4:5]
        over += np.count_nonzero(slots > above * reference)
        under += np.count_nonzero(below * slots < reference)
    total = draws * 16
    fmt = lambda k: ("1 in %.0f" % (total / k)) if k else "none in %d" % total
    print("%g  %s  %s" % (nu, fmt(over), fmt(under)))
