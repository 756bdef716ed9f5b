#!/usr/bin/env python3
# Reference for the per-event calculation chain CalcBase2(calcamax(calcbase(cappeakdet(ch,0.3)))) with every
# parameter at its default, computed directly from the definitions of the peak detector and the three stages,
# written independently of the module's code.
#
# Tool: Python 3 with numpy (Debian python3-numpy 1.24.2); parameters: the cardiac test signal
#   f(t) = 1/(0.01+(1-sin(5t)))^2 * 0.0001 + threshold(sin(5t-2.5), .5)*(sin(5t-2.5)-0.5)*(1+0.1t),
#   threshold(x,l) = 1 where x > l else 0, t in seconds, sampled at 1 kHz for N ticks and rounded to float32,
#   and its negation. Detector: min height 0.3, no width test. Baseline: mode 0, 500 ticks, 5 % tolerance,
#   no window. Extreme: start 5 %, end 0 %, reposition. Second baseline: mid 50 %, tau 50 % and 5 %, plateau
#   centre 50 %. Extreme and 10 % comparisons are made on the peak's side of the baseline (polarity x value).
# Command: PYENV_VERSION=system python3 tests/data/calc_stages_reference.py
# Output: tests/data/calc_stages_samples.txt (the float32 samples, one per line, exact to 9 digits) and
#   tests/data/calc_stages_reference.txt (one line per event and signal, integers exact, floats to 9 digits:
#   compare floats within 1 ulp of float32).
import math
import os
import numpy as np

N = 8000
END = 0x7FFFFFFF
f32 = np.float32


def signal():
    t = np.arange(N, dtype=np.float64) / 1000.0
    s = np.sin(5 * t - 2.5)
    x = 1.0 / (0.01 + (1.0 - np.sin(5 * t))) ** 2 * 0.0001 + np.where(s > 0.5, 1.0, 0.0) * (s - 0.5) * (1 + 0.1 * t)
    return x.astype(np.float32)


def detect(x, height=0.3):
    peaks, i, phase = [], 0, 0
    while i < len(x):
        v, t = float(x[i]), i
        i += 1
        if phase == 0:
            trough = peak = fall = (t, v)
            phase = 1
            continue
        if phase == 2 and v < fall[1]:
            fall = (t, v)
            if peak[1] - fall[1] > height:
                peaks.append(peak)
                phase = 0
        elif v < trough[1]:
            trough = peak = (t, v)
            phase = 1
        elif v > peak[1]:
            peak = (t, v)
            if peak[1] - trough[1] > height:
                fall = (t, v)
                phase = 2
    return peaks


def calc_base(x, peaks, max_len=500, tol_pct=5.0):
    out, prev = [], -1
    for (e, pv) in peaks:
        p = float(f32(pv))
        best = dict(score=0.0, mean=-1.0, start=-1, end=-1)
        seg = None

        def close(tc):
            start, sv, tol, total, count = seg
            mean = total / count
            score = count * count * abs(p - mean) / (e + 1 - tc)
            if score >= best['score']:
                best.update(score=score, mean=float(f32(mean)), start=start, end=start + count - 1)

        def begin(tc, v):
            return [tc, v, float(f32(tol_pct)) * 0.01 * abs(p - v), v, 1]

        for t in range(prev + 1, e):
            v = float(x[t])
            if seg is None:
                seg = begin(t, v)
                if t == e - 1:
                    close(t)
                continue
            if abs(v - seg[1]) <= seg[2] and t - seg[0] <= max_len:
                seg[3] += v
                seg[4] += 1
                if t == e - 1:
                    close(t)
                continue
            close(t)
            seg = begin(t, v)
        if best['score'] > 0 and best['start'] >= 0 and best['end'] >= 0:
            b, bs, be, pol = best['mean'], best['start'], best['end'], 1.0 if best['mean'] <= p else -1.0
        else:
            b, bs, be, pol = float(f32(p * 0.999999)), e - 1, e - 1, 1.0
        out.append(dict(tick=e, value=p, baseline=b, baseStart=bs, baseEnd=be, polarity=pol))
        prev = e
    return out


def search_start(r):
    return min(r['tick'], r['baseEnd'] - 1)


def calc_amax(x, recs, start_pct=5, end_pct=0):
    out, pos = [], 0
    for k, r in enumerate(recs):
        limit = search_start(recs[k + 1]) if k + 1 < len(recs) else END
        p, b, val, peak = r['polarity'], r['baseline'], r['value'], r['tick']
        h = val - b
        start_level, end_level = p * (b + start_pct * 0.01 * h), p * (b + end_pct * 0.01 * h)
        mx, mt, st, et = -1.0, -1, -1, -1
        while pos < min(limit, len(x)):
            v = float(x[pos])
            if pos < peak and p * v <= start_level:
                st, mx, mt = pos, v, pos
            if pos >= r['baseEnd'] and p * v > p * mx:
                mx, mt = v, pos
            if pos > peak and p * v <= end_level:
                et = pos
                break
            pos += 1
        if et < 0:
            et = pos - 1
        if p * mx < p * val:
            mx, mt = float(f32(val)), peak
        if st < 0:
            st = r['baseEnd']
        o = dict(r)
        o.update(tick=mt, value=mx, maxValue=mx, maxTick=mt, peakStart=st, peakEnd=et, limit=limit)
        out.append(o)
    return out


def calc_base2(x, recs, mid_pct=50, ts_pct=50, te_pct=5, pc_pct=50):
    out, pos = [], 0
    for r in recs:
        p, b, val, peak, end = r['polarity'], r['baseline'], r['value'], r['tick'], r['peakEnd']
        h = val - b
        mid, ts = p * (b + mid_pct * 0.01 * h), p * (b + ts_pct * 0.01 * h)
        te, ten = p * (b + (te_pct * 0.01 + 0.000005) * h), p * (b + 0.1 * h)
        rise = fall = tau_s = tau_e = ten_t = ahp_end = -1
        ahp, lo, hi = 0.0, None, None
        while pos < min(r['limit'], len(x)):
            v = float(x[pos])
            pv = p * v
            if pos < peak:
                if rise < 0 and pv > mid:
                    rise = pos
            elif pos <= end:
                if fall < 0 and pv < mid:
                    fall = pos
                if tau_s < 0 and pv <= ts:
                    tau_s = pos
                if tau_e < 0 and pv <= te:
                    tau_e = pos
                if ten_t < 0 and pv <= ten:
                    ten_t = pos
            elif pv < p * b:
                d = float(f32(v - b))
                if abs(d) > abs(ahp):
                    ahp = d
            else:
                ahp_end = pos
                break
            lo = v if lo is None else min(lo, v)
            hi = v if hi is None else max(hi, v)
            pos += 1
        o = dict(r)
        o.update(lowest=lo, highest=hi, tauStart=tau_s, tauEnd=tau_e, ahpEnd=ahp_end,
                 ahp=ahp if ahp_end >= 0 else float('nan'),
                 midPlateau=(rise + fall) // 2 if rise >= 0 and fall >= 0 else -1,
                 plateauCentre=math.trunc(r['peakStart'] * (1 - pc_pct * 0.01) + ten_t * pc_pct * 0.01 + 0.5)
                 if ten_t >= 0 and r['peakStart'] >= 0 else -1)
        out.append(o)
    return out


FIELDS = ['tick', 'value', 'baseline', 'baseStart', 'baseEnd', 'polarity', 'maxValue', 'maxTick', 'peakStart',
          'peakEnd', 'limit', 'lowest', 'highest', 'tauStart', 'tauEnd', 'ahp', 'ahpEnd', 'midPlateau',
          'plateauCentre']


def fmt(v):
    if isinstance(v, float):
        return 'nan' if math.isnan(v) else '%.9g' % v
    return str(v)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    x = signal()
    with open(os.path.join(here, 'calc_stages_samples.txt'), 'w') as f:
        f.write('# float32 samples of the cardiac test signal at 1 kHz, made by calc_stages_reference.py\n')
        for v in x:
            f.write('%.9g\n' % v)
    with open(os.path.join(here, 'calc_stages_reference.txt'), 'w') as f:
        f.write('# made by calc_stages_reference.py; sign detectorTick detectorValue ' + ' '.join(FIELDS) + '\n')
        for sign in (1, -1):
            xs = (x * np.float32(sign)).astype(np.float32)
            peaks = detect(xs)
            recs = calc_base2(xs, calc_amax(xs, calc_base(xs, peaks)))
            for (dt, dv), r in zip(peaks, recs):
                f.write(' '.join([str(sign), str(dt), fmt(dv)] + [fmt(r[k]) for k in FIELDS]) + '\n')


if __name__ == '__main__':
    main()
