# First numbers of the self-checks' random generator, computed independently in plain Python
# (integers of unbounded size, the float rounding done by struct) for tests/selfcheck.
# Tool: Python 3 standard library only. Generator: minimal standard (16807, modulus 2^31 - 1)
# with a 32-entry shuffle table, 8 warm-up steps, output y / (2^31 - 1) rounded to single
# precision and capped at 0.99999988. Start values: 0 (as every deterministic check), 1, 12345.
# Rerun: PYENV_VERSION=system python3 tests/data/test_random_sequence.py > tests/data/test_random_sequence.txt
import struct

M = 2147483647
CAP = struct.unpack('f', struct.pack('f', 0.99999988))[0]


def to_float(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def sequence(start, count):
    seed = max(1, abs(start))
    table = [0] * 32
    for j in range(39, -1, -1):
        seed = seed * 16807 % M
        if j < 32:
            table[j] = seed
    y = table[0]
    out = []
    for _ in range(count):
        seed = seed * 16807 % M
        j = y // 67108864
        y = table[j]
        table[j] = seed
        out.append(min(to_float(y / M), CAP))
    return out


for start in (0, 1, 12345):
    print(start, ' '.join('%.9g' % v for v in sequence(start, 8)))
