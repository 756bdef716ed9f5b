#!/usr/bin/env python3
# Measures the traps docs/columns.md describes on recordings generated here, of the shapes users meet, and
# prints one line per case: how many rows the table has, how many read what the shape holds, and the spread of
# the cells that tell the two apart. docs/columns.md quotes these lines.
#
# Tool: numpy 1.24.2 (Debian's python3-numpy), numpy.random.RandomState(seed).normal for white noise. The host
# (build/bin/ondara-host.exe analyze, under Wine with the build's prefix; a display of Xvfb's own when DISPLAY is
# not set) analyses each recording as `scripts/run FILE --type T --set ...` does.
# Rerun (after a build):  PYENV_VERSION=system python3 bench/trap_shapes.py > bench/trap_shapes.txt
#   --keep DIR writes the recordings into DIR and keeps them; --only TEXT runs the cases whose name holds TEXT;
#   --host EXE analyses with another build's host (beside its module), to compare two builds.
#
# Shapes (levels in mV, times in s; noise in per cent of the event's height, white, Gaussian):
# - evoked, gamma: a rectangular artefact of +25 mV, WIDTH wide, then 2 ms after its start a response of +8 mV,
#   8 mV x (s / 2 ms)^2 x exp(2 - s / 1 ms) (peak at 2 ms), on -60 mV at 20 kHz, one stimulus every 100 ms,
#   sixteen a recording; `--type 3 --set 1000=3 --set 1002=0.01 --set 1006=0.003 --set 1008=40`.
# - evoked, one-sided: an artefact of +20 mV that only rises (0.1 ms) and falls back (0.1 ms), then 1.5 ms later a
#   bi-exponential response of 12 mV (1 and 20 ms), 50 ms apart, eight a record, seven records, on -60 mV.
# - evoked, 100 Hz: the same artefact with a top of two samples at 10 kHz, a bi-exponential response of 12 mV
#   (0.5 ms, DECAY), ten 10 ms apart a record, three records; 1002 = 0.015 and 1027 = 9.9. Its top (0.1 ms) spans
#   two samples at 10 kHz, three at 20 and five at 40: rows for minimum intervals (1027) of 10 to 9 ms.
# - evoked, response twice the artefact: a gamma response of 40 mV 5 or 10 ms after a pulse of 20 mV (0.3 ms), 1002
#   half the artefact, with the default minimum interval (1027, 10 ms) and with 1027 = 90.
# The check docs/columns.md gives: a row whose peak (Latency + TimeToPeak after its stimulus) lies within the
# artefact (its width plus a sample) or at or past the next stimulus reads an artefact; each evoked line says on
# how many rows that read no response it fires, and on how many that do.
# - cardiac, spike-and-dome: 110 mV from -85 mV at 5 kHz, five 1 s apart a recording: an upstroke of 1 ms, a
#   notch to 0.7 of the height at 5 ms, a dome back to 0.85 at 30 ms, falling to 0.75 at 200 ms and to rest at
#   300 ms; eight recordings (seeds), so forty action potentials. A notched plateau: the notch to 0.92, the dome
#   to 0.97 at 30 ms and 0.95 at 200 ms, so that the fall crosses 90 % (APD10) only on its repolarisation. A
#   straight-line plateau: the spike to 0.85 at 5 ms, the plateau falling to 0.65 at 200 ms, rest at 300 ms. A
#   smooth one: flat at 0.8 after the spike, repolarising through half height at 220 ms.
import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

import numpy as np

from benchrun import ROOT, wine_path


def pwl(points):
    # Straight lines from (0, 0) through points (seconds, fraction), 0 after the last.
    t = np.array([0.0] + [p[0] for p in points])
    f = np.array([0.0] + [p[1] for p in points])
    return lambda s: np.where((s >= 0.0) & (s <= t[-1]), np.interp(s, t, f), 0.0)


def gamma_response(s):
    x = np.clip(s, 0.0, None) / 0.001
    return np.where(s > 0.0, (x / 2.0) ** 2 * np.exp(2.0 - x), 0.0)


def biexp(rise, decay):
    tp = rise * decay / (decay - rise) * math.log(decay / rise)
    norm = math.exp(-tp / decay) - math.exp(-tp / rise)
    return lambda s: np.where(s > 0.0, (np.exp(-np.clip(s, 0, None) / decay) -
                                        np.exp(-np.clip(s, 0, None) / rise)) / norm, 0.0)


def write_recording(path, rate, records):
    # records: arrays of mV samples; a blank line between records, as the host's recording text has it.
    with open(path, "w") as f:
        f.write("Time [s],Vm [mV]\n")
        for k, x in enumerate(records):
            if k:
                f.write("\n")
            for i, v in enumerate(x):
                f.write(f"{i / rate:.6f},{v:.4f}\n")


class Host:
    def __init__(self, exe):
        self.exe = exe
        self.env = dict(os.environ, WINEDEBUG="-all", WINEARCH="win32",
                        WINEPREFIX=os.path.join(ROOT, "build", "wineprefix"),
                        WINEDLLOVERRIDES="mscoree=;mshtml=;winedbg.exe=d", PATH=wine_path())
        self.xvfb = None
        if not self.env.get("DISPLAY"):
            r, w = os.pipe()
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten",
                                          "tcp"], pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(w)
            self.env["DISPLAY"] = ":" + os.read(r, 64).decode().split()[0]
            os.close(r)

    def close(self):
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()

    def table(self, path, kind, settings):
        args = ["wine", self.exe, "analyze", "--recording", path,
                "--table", "--type", str(kind)]
        for s in settings.split():
            args += ["--set", s]
        out = subprocess.run(args, env=self.env, capture_output=True, text=True).stdout.replace("\r", "")
        # The heading line, one line per event, a blank line, then the summary's block.
        block = out.split("\n\n")[0]
        lines = [line.split("\t") for line in block.split("\n") if line.strip()]
        if not lines:
            return []
        head = lines[0]
        return [dict(zip(head, line)) for line in lines[1:]]


def cell(row, prefix):
    for key, value in row.items():
        if key.startswith(prefix + " (") or key == prefix:
            value = value.strip()
            return float(value) if value else None
    raise KeyError(prefix)


def span(values):
    values = [v for v in values if v is not None]
    return f"{min(values):.2f} to {max(values):.2f}" if values else "none"


def peak_after_stimulus(row):
    # Where the row's peak lies after its stimulus, ms: Latency (to the response's start) plus TimeToPeak.
    return (cell(row, "Latency") or 0.0) + (cell(row, "TimeToPeak") or 0.0)


def check_line(rows, right, within, interval):
    # docs/columns.md's check: a row whose peak lies within the artefact (no later than its width after the
    # stimulus, plus a sample) or at or past the next stimulus (the interval less a sample) reads an artefact. How
    # many rows that read no response it flags, and how many that read one.
    flag = [r for r in rows if peak_after_stimulus(r) <= within or peak_after_stimulus(r) >= interval]
    others = [r for r in rows if r not in right]
    return (f"check flags {sum(1 for r in others if r in flag)} of {len(others)} that read no response and "
            f"{sum(1 for r in right if r in flag)} of {len(right)} that do")


def evoked_gamma(host, folder, cases):
    settings = "1000=3 1002=0.01 1006=0.003 1008=40"
    rate = 20000
    for width, noise, seed in ((0.0003, 0.35, 1), (0.0004, 0.3, 2), (0.0005, 0.4, 3), (0.0003, 0.4, 4),
                               (0.0004, 0.35, 5), (0.0005, 0.3, 6), (0.0004, 0.1, 7)):
        name = f"evoked, gamma, artefact {width * 1e3:.1f} ms, noise {noise} mV, seed {seed}"
        if not wanted(name, cases):
            continue
        n = int(1.62 * rate)
        s = np.arange(n) / rate
        x = np.full(n, -60.0)
        for i in range(16):
            t0 = 0.02 + 0.1 * i
            x += np.where((s >= t0) & (s < t0 + width), 25.0, 0.0)
            x += 8.0 * gamma_response(s - t0 - 0.002)
        x += np.random.RandomState(seed).normal(0.0, noise, n)
        path = os.path.join(folder, f"gamma{seed}.csv")
        write_recording(path, rate, [x])
        for extra in ("", " 1007=0.5", " 1039=1 1040=-0.06"):
            rows = host.table(path, 3, settings + extra)
            wrong = [r for r in rows if cell(r, "Baseline") > -55.0]
            heights = [cell(r, "Height") for r in rows]
            print(f"{name}\t{settings + extra}\trows {len(rows)} of 16\tbaseline on the artefact {len(wrong)}\t"
                  f"Height {span(heights)} for 8\tBaseline {span([cell(r, 'Baseline') for r in rows])}")


def stimulus_train(rate, records, per, spacing, artefact, response, noise, seed):
    # Records of per stimuli spacing apart from 20 ms on: an artefact of 20 mV, 1.5 ms after it a response of 12 mV,
    # on -60 mV, with white noise of noise mV; the records' noise drawn in turn from one generator.
    rng = np.random.RandomState(seed)
    out = []
    for _ in range(records):
        n = int((0.02 + spacing * per) * rate)
        s = np.arange(n) / rate
        x = np.full(n, -60.0)
        for i in range(per):
            t0 = 0.02 + spacing * i
            x += 20.0 * artefact(s - t0) + 12.0 * response(s - t0 - 0.0015)
        out.append(x + rng.normal(0.0, noise, n))
    return out


def evoked_one_sided(host, folder, cases):
    # 56 responses after a one-sided artefact, 10 kHz: which read the response (Height within 3 mV of 12).
    rate = 10000
    artefact = pwl([(0.0001, 1.0), (0.0002, 0.0)])
    response = biexp(0.001, 0.02)
    for percent, seed in ((2, 11), (3, 12), (5, 13), (5, 14)):
        name = f"evoked, one-sided artefact, 10 kHz, noise {percent} %, seed {seed}"
        if not wanted(name, cases):
            continue
        records = stimulus_train(rate, 7, 8, 0.05, artefact, response, 0.12 * percent, seed)
        path = os.path.join(folder, f"onesided{seed}.csv")
        write_recording(path, rate, records)
        for extra in ("", " 1002=0.015", " 1002=0.015 1039=1 1040=-0.06", " 1002=0.015 1007=1"):
            rows = host.table(path, 3, "1000=3 1002=0.01 1006=0.005" + extra)
            right = [r for r in rows if abs(cell(r, "Height") - 12.0) < 3.0]
            base = [cell(r, "Baseline") for r in rows]
            off = [b for b in base if abs(b + 60.0) > 3.0]
            lat0 = [r for r in rows if cell(r, "Latency") == 0.0]
            print(f"{name}\t1000=3 1002=0.01 1006=0.005{extra}\trows {len(rows)} of 56\tread the response "
                  f"{len(right)}\tBaseline off rest by 3 mV {len(off)} ({span(off)})\tLatency 0 {len(lat0)}\t"
                  f"Height of the others {span([cell(r, 'Height') for r in rows if r not in right])}\t"
                  f"their Latency {span([cell(r, 'Latency') for r in rows if r not in right])}\t"
                  f"{check_line(rows, right, 0.2 + 0.1, 50.0 - 0.1)}")


def evoked_trains(host, folder, cases):
    rate = 10000
    artefact = pwl([(0.0001, 1.0), (0.0002, 1.0), (0.0003, 0.0)])
    for decay, seed in ((0.002, 81), (0.004, 82), (0.006, 83), (0.006, 84)):
        name = f"evoked, 100 Hz, decay {decay * 1e3:.0f} ms, noise 2 %, seed {seed}"
        if not wanted(name, cases):
            continue
        response = biexp(0.0005, decay)
        records = stimulus_train(rate, 3, 10, 0.01, artefact, response, 0.24, seed)
        path = os.path.join(folder, f"train{seed}.csv")
        write_recording(path, rate, records)
        for extra in ("", " 1041=10", " 1041=30", " 1041=50"):
            settings = "1000=3 1002=0.015 1006=0.005 1027=9.9" + extra
            rows = host.table(path, 3, settings)
            right = [r for r in rows if abs(cell(r, "Height") - 12.0) < 3.0]
            ttp = [cell(r, "TimeToPeak") for r in rows if r not in right]
            print(f"{name}\t{settings}\trows {len(rows)} of 30\tread the response {len(right)}\t"
                  f"Height of the others {span([cell(r, 'Height') for r in rows if r not in right])}\t"
                  f"their TimeToPeak {span(ttp)}\t{check_line(rows, right, 0.3 + 0.1, 10.0 - 0.1)}")
    # The artefact's top spans two samples at 10 kHz, three at 20 and five at 40: noise places each stimulus on any
    # of them. Rows (one a stimulus found) for minimum intervals from the interval itself to the interval less 1 ms.
    for rate in (10000, 20000, 40000):
        for seed in (85, 86, 87, 88):
            name = (f"evoked, 100 Hz, top of {round(0.0001 * rate) + 1} samples ({rate // 1000} kHz), decay 2 ms, "
                    f"noise 2 %, seed {seed}")
            if not wanted(name, cases):
                continue
            records = stimulus_train(rate, 3, 10, 0.01, artefact, biexp(0.0005, 0.002), 0.24, seed)
            path = os.path.join(folder, f"train{seed}-{rate}.csv")
            write_recording(path, rate, records)
            found = []
            for gap in ("10", "9.9", "9.8", "9.7", "9"):
                rows = host.table(path, 3, "1000=3 1002=0.015 1006=0.005 1027=" + gap)
                found.append(f"1027={gap}: {len(rows)}")
            print(f"{name}\t1000=3 1002=0.015 1006=0.005\trows of 30\t" + "\t".join(found))


def artefact_shape(kind, size, width, tail=0.0, tau=0.0):
    # An artefact of size mV, width s wide from the stimulus on: rectangular; followed by an undershoot of tail mV
    # (with time constant tau); with an exponential tail of tail x size (tau); or biphasic (size, then -size, each
    # half the width).
    def a(s):
        inside = (s >= 0.0) & (s < width)
        after = np.clip(s - width, 0.0, None) / max(tau, 1e-9)
        if kind == "biphasic":
            return np.where((s >= 0.0) & (s < width / 2), size, np.where(inside, -size, 0.0))
        x = np.where(inside, size, 0.0)
        if kind == "undershoot":
            x = x + np.where(s >= width, tail * np.exp(-after), 0.0)
        elif kind == "tail":
            x = x + np.where(s >= width, tail * size * np.exp(-after), 0.0)
        return x
    return a


def evoked_artefacts(host, folder, cases):
    # Responses after artefacts of several shapes, sixteen stimuli 100 ms apart from 20 ms on, on -60 mV: how many
    # rows read the response (Height within four noise SDs of it, plus what is left of the artefact where it
    # starts), how many end their peak at or past the next stimulus, and the spread of Height and Baseline.
    shapes = [
        ("undershoot", 20000, artefact_shape("undershoot", 25.0, 0.0003, -4.0, 0.0008), 0.0013, 8.0, 0.3, 1,
         "1000=3 1002=0.01 1006=0.003 1008=40"),
        ("down-pulse below the response", 10000, artefact_shape("rect", -10.0, 0.0005), 0.0035, 16.0, 0.4, 21,
         "1000=3 1002=0.005 1003=1 1006=0.0064 1008=40"),
        ("down-pulse below the response", 50000, artefact_shape("rect", -12.0, 0.001), 0.003, 20.0, 0.5, 22,
         "1000=3 1002=0.006 1003=1.5 1006=0.008 1008=40"),
        ("down-pulse of 2 ms below the response", 20000, artefact_shape("rect", -12.0, 0.002), 0.004, 30.0, 0.6, 23,
         "1000=3 1002=0.006 1003=2.5 1006=0.012 1008=40"),
        ("down-pulse of 2 ms below the response", 50000, artefact_shape("rect", -10.0, 0.002), 0.005, 30.0, 0.9, 24,
         "1000=3 1002=0.005 1003=2.5 1006=0.012 1008=40"),
        ("biphasic", 5000, artefact_shape("biphasic", -25.0, 0.0004), 0.0044, 8.0, 0.2, 31,
         "1000=3 1002=0.0125 1003=0.9 1006=0.0032 1008=40"),
        ("biphasic", 50000, artefact_shape("biphasic", -25.0, 0.0004), 0.0044, 8.0, 0.2, 32,
         "1000=3 1002=0.0125 1003=0.9 1006=0.0032 1008=40"),
        ("exponential tail", 20000, artefact_shape("tail", -25.0, 0.0005, 0.4, 0.0006), 0.0015, 5.0, 0.1, 41,
         "1000=3 1002=0.0125 1003=2.8 1006=0.002 1008=40"),
        ("exponential tail, upward", 20000, artefact_shape("tail", 25.0, 0.0005, 0.4, 0.0006), 0.0015, 5.0, 0.1, 42,
         "1000=3 1002=0.0125 1003=2.8 1006=0.002 1008=40"),
    ]
    for kind, rate, artefact, latency, size, noise, seed, settings in shapes:
        name = f"evoked, {kind}, {rate / 1000:g} kHz, response {size:g} mV {latency * 1e3:g} ms after, noise {noise} mV"
        if not wanted(name, cases):
            continue
        n = int(1.62 * rate)
        s = np.arange(n) / rate
        x = np.full(n, -60.0)
        left = abs(float(artefact(np.array([latency]))[0]))
        for i in range(16):
            t0 = 0.02 + 0.1 * i
            x += artefact(s - t0) + size * gamma_response(s - t0 - latency)
        x += np.random.RandomState(seed).normal(0.0, noise, n)
        path = os.path.join(folder, f"artefact{seed}.csv")
        write_recording(path, rate, [x])
        for extra in ("", " 1007=1", " 1039=1 1040=-0.06"):
            rows = host.table(path, 3, settings + extra)
            right = [r for r in rows if cell(r, "Height") is not None and abs(cell(r, "Height") - size) <= 4.0 * noise + left]
            late = [r for r in rows if (cell(r, "TimeToPeak") or 0.0) + cell(r, "Latency") >= 99.0]
            width = {1: 0.3, 21: 0.5, 22: 1.0, 23: 2.0, 24: 2.0, 31: 0.4, 32: 0.4, 41: 0.5, 42: 0.5}[seed]  # ms
            print(f"{name}\t{settings + extra}\trows {len(rows)} of 16\tread the response {len(right)}\t"
                  f"peak at or past the next stimulus {len(late)}\tHeight {span([cell(r, 'Height') for r in rows])}"
                  f"\tBaseline {span([cell(r, 'Baseline') for r in rows])}\t"
                  f"{check_line(rows, right, width + 1000.0 / rate, 100.0 - 1000.0 / rate)}")


def evoked_large(host, folder, cases):
    # Responses larger than the artefact (40 mV after a pulse of 20 mV, 0.3 ms), 5 and 10 ms after it, noise 2 %,
    # 20 kHz, sixteen 100 ms apart: a response that rises and falls by the stimulus height within about the maximum
    # width is a pulse too, and one that comes later than the minimum interval (1027) after its stimulus adds a
    # stimulus. Rows, rows that read the response, rows without a response (a stimulus on a response), and the check
    # on the rows that have a peak.
    rate = 20000
    for latency, seed in ((0.005, 51), (0.010, 52)):
        name = f"evoked, response twice the artefact, 20 kHz, {latency * 1e3:g} ms after, noise 2 %, seed {seed}"
        if not wanted(name, cases):
            continue
        n = int(1.62 * rate)
        s = np.arange(n) / rate
        x = np.full(n, -60.0)
        artefact = artefact_shape("rect", 20.0, 0.0003)
        for i in range(16):
            t0 = 0.02 + 0.1 * i
            x += artefact(s - t0) + 40.0 * gamma_response(s - t0 - latency)
        x += np.random.RandomState(seed).normal(0.0, 0.8, n)
        path = os.path.join(folder, f"large{seed}.csv")
        write_recording(path, rate, [x])
        for extra in ("", " 1027=90"):
            settings = "1000=3 1002=0.01 1003=0.8 1006=0.016 1008=40" + extra
            rows = host.table(path, 3, settings)
            peaks = [r for r in rows if cell(r, "Height") is not None]
            right = [r for r in peaks if abs(cell(r, "Height") - 40.0) <= 4.0 * 0.8]
            print(f"{name}\t{settings}\trows {len(rows)} of 16\tread the response {len(right)}\t"
                  f"without a response {len(rows) - len(peaks)}\t{check_line(peaks, right, 0.35, 100.0 - 0.05)}")


SPIKE_AND_DOME = [(0.001, 1.0), (0.005, 0.7), (0.03, 0.85), (0.2, 0.75), (0.3, 0.0)]
NOTCHED = [(0.001, 1.0), (0.005, 0.92), (0.03, 0.97), (0.2, 0.95), (0.3, 0.0)]
STRAIGHT = [(0.001, 1.0), (0.005, 0.85), (0.200, 0.65), (0.300, 0.0)]


def smooth_cardiac(s):
    # An upstroke of 1 ms, a spike falling to a flat plateau at 80 % and a sigmoid repolarisation through half height
    # at 220 ms.
    s = np.asarray(s, dtype=float)
    dome = 1.0 - 0.2 * (1.0 - np.exp(-np.clip(s - 0.001, 0.0, None) / 0.003))
    body = dome / (1.0 + np.exp(np.clip((s - 0.22) / 0.02, None, 50.0))) * (1.0 + math.exp(-0.219 / 0.02))
    return np.where(s <= 0.0, 0.0, np.where(s < 0.001, s / 0.001, np.where(s < 0.4, body, 0.0)))


def cardiac(host, folder, cases):
    # Five action potentials a recording, eight recordings (seeds 100 to 107): forty. A row is at its start when
    # TStart lies within 3 ms of an upstroke; RMP is off when it lies 20 mV or more from rest.
    rate = 5000
    apd10 = (0.2 + 0.05 / 0.95 * 0.1 - 0.001 * 0.05) * 1e3  # the notched plateau's, from its 5 % start
    for shape, points, percent, settings in (
            ("spike-and-dome", SPIKE_AND_DOME, 8, "1036=f 1006=0.09"),
            ("spike-and-dome", SPIKE_AND_DOME, 8, "1036=f 1006=0.09 1039=1 1040=-0.085"),
            ("spike-and-dome", SPIKE_AND_DOME, 8, "1036=f 1006=0.09 1039=2"),
            ("spike-and-dome", SPIKE_AND_DOME, 8, "1006=0.06"),
            ("spike-and-dome", SPIKE_AND_DOME, 8, "1006=0.06 1039=1 1040=-0.085"),
            ("straight plateau", STRAIGHT, 8, "1036=f 1006=0.09"),
            ("straight plateau", STRAIGHT, 8, "1036=f 1006=0.09 1039=1 1040=-0.085"),
            ("smooth plateau", None, 8, "1036=f 1006=0.09"),
            ("smooth plateau", None, 8, "1036=f 1006=0.09 1039=1 1040=-0.085"),
            ("straight plateau", STRAIGHT, 12, "1036=f 1006=0.09"),
            ("straight plateau", STRAIGHT, 12, "1036=f 1006=0.09 1039=1 1040=-0.085"),
            ("smooth plateau", None, 5, ""),
            ("smooth plateau", None, 5, "1039=1 1040=-0.085"),
            ("notched plateau", NOTCHED, 0, "34=t"),
            ("notched plateau", NOTCHED, 1, "34=t"),
            ("notched plateau", NOTCHED, 2, "34=t"),
            ("notched plateau", NOTCHED, 1, "34=t 1039=1 1040=-0.085")):
        name = f"cardiac, {shape}, noise {percent} %"
        if not wanted(name + " " + settings, cases):
            continue
        shape_of = pwl(points) if points else smooth_cardiac
        found = 0
        rows_all = 0
        rmp_off = []
        apa = []
        apd = []
        for seed in range(8):
            n = int(5.5 * rate)
            s = np.arange(n) / rate
            x = np.full(n, -85.0)
            for i in range(5):
                x += 110.0 * shape_of(s - 0.5 - i)
            x += np.random.RandomState(100 + seed).normal(0.0, 1.1 * percent, n)
            path = os.path.join(folder, f"cardiac{seed}.csv")
            write_recording(path, rate, [x])
            rows = host.table(path, 1, settings)
            rows_all += len(rows)
            for r in rows:
                start = cell(r, "TStart")
                found += any(abs(start - (0.5 + i)) < 0.003 for i in range(5))
                rmp = cell(r, "RMP")
                if abs(rmp + 85.0) >= 20.0:
                    rmp_off.append(rmp)
                apa.append(cell(r, "APA"))
                if "34=t" in settings:
                    apd.append(cell(r, "APD10"))
        line = f"{name}\t{settings}\trows {rows_all} of 40\tat their start {found}\tRMP 20 mV off rest " \
               f"{len(rmp_off)} ({span(rmp_off)})\tAPA {span(apa)}"
        if apd:
            early = [a for a in apd if a is not None and a < apd10 - 5.0]
            line += f"\tAPD10 {span(apd)} for {apd10:.1f}, 5 ms early or more {len(early)}"
        print(line)


def wanted(name, cases):
    return not cases or any(c in name for c in cases)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--keep")
    parser.add_argument("--only", action="append")
    parser.add_argument("--host", default=os.path.join(ROOT, "build", "bin", "ondara-host.exe"))
    args = parser.parse_args()
    folder = args.keep or tempfile.mkdtemp(prefix="trap-shapes-", dir=os.path.join(ROOT, "build"))
    os.makedirs(folder, exist_ok=True)
    host = Host(args.host)
    try:
        for measure in (evoked_gamma, evoked_artefacts, evoked_large, evoked_one_sided, evoked_trains, cardiac):
            measure(host, folder, args.only)
            sys.stdout.flush()
    finally:
        host.close()
        if not args.keep:
            shutil.rmtree(folder)


if __name__ == "__main__":
    main()
