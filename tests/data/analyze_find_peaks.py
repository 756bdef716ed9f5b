#!/usr/bin/env python3
# Peaks that "ondara-host.exe analyze" finds in two committed real recordings, set against scipy's find_peaks on
# the same samples. Tool: numpy and scipy (versions printed into the output); no random numbers.
# Settings, as a user picks them: analysis type 1 (Cardiac Action Potential), the width filter off, a minimum
# width of 10 ms and a minimum height of 0.03 V (cardiac action potentials rise about 0.115 V) or 0.0005 V
# (ECG R waves stand about 1.5 mV above the baseline). scipy gets the same height as prominence, in the
# file's unit (mV) and a distance of 100 ms (the cardiac tops are often two equal maxima a sample apart,
# which find_peaks would otherwise count twice). A module peak and a scipy peak match when they lie within 20 ms of each other (the
# cardiac file's tops are often several equal samples).
# Rerun after building:
#   PYENV_VERSION=system python3 tests/data/analyze_find_peaks.py > tests/data/analyze_find_peaks.txt
import os
import subprocess

import numpy as np
import scipy
from scipy.signal import find_peaks

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RUNS = [
    ("tests/data/recordings/sanode_ap.csv", 0.03, 20000.0),
    ("data/ecg_mitbih100_mlii.csv", 0.0005, 360.0),
]
MATCH_S = 0.020


def module_peaks(path, height):
    # Where the kernel runs no 32-bit code, scripts/common.sh leaves Debian's 64-bit Wine in build/wine64.
    env = dict(os.environ, WINEDEBUG="-all", WINEARCH="win32", WINEPREFIX=os.path.join(ROOT, "build", "wineprefix"),
               WINEDLLOVERRIDES="mscoree=;mshtml=;winedbg.exe=d",
               PATH=os.path.join(ROOT, "build", "wine64") + os.pathsep + os.environ.get("PATH", ""))
    exe = os.path.join(ROOT, "build", "bin", "ondara-host.exe")
    winpath = subprocess.run(["winepath", "-w", path], env=env, capture_output=True, text=True).stdout.strip()
    out = subprocess.run(["wine", exe, "analyze", "--recording", winpath, "--type", "1", "--height", str(height),
                          "--set", "1001=10", "--set", "1036=f"],
                         env=env, capture_output=True, text=True, check=True).stdout.replace("\r", "")
    lines = out.strip().split("\n")
    ticks = [int(l.split("\t")[1]) for l in lines[1:-1] if l.split("\t")[4] == "2"]
    return np.array(ticks), lines[-1]


def main():
    print(f"# numpy {np.__version__}, scipy {scipy.__version__}; find_peaks(prominence=height, distance=100 ms); "
          f"match within {MATCH_S * 1000:.0f} ms")
    print("recording                                module  scipy  matched  module-only  scipy-only  closing line")
    for name, height, rate in RUNS:
        path = os.path.join(ROOT, name)
        x = np.loadtxt(path, delimiter=",", skiprows=1, usecols=1)
        sp, _ = find_peaks(x, prominence=height * 1000.0, distance=int(0.1 * rate))
        mod, closing = module_peaks(path, height)
        window = int(round(MATCH_S * rate))
        matched = sum(1 for p in sp if mod.size and np.min(np.abs(mod - p)) <= window)
        module_only = sum(1 for m in mod if sp.size == 0 or np.min(np.abs(sp - m)) > window)
        print(f"{name:40} {mod.size:6d} {sp.size:6d} {matched:8d} {module_only:12d} {sp.size - matched:11d}  {closing}")


if __name__ == "__main__":
    main()
