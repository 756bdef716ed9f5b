#!/usr/bin/env python3
# Reference measurements of the full measurement stage (CalcBulk) for tests/enumerators.
#
# Tool: numpy 1.24.2 and scipy 1.10.1 (Debian python3-numpy / python3-scipy).
# Rerun:  PYENV_VERSION=system python3 tests/data/calcbulk_reference.py > tests/data/calcbulk_reference.txt
# No random numbers are used (no seed).
#
# Two recordings at 10 kHz (period 0.0001 s), built as float32 with an exactly flat baseline B = 0.5 and
# an exact peak sample B + A: each peak jumps from B to B + 0.3 A and rises as A (0.3 + 0.7 (i/R)^2)
# over R ticks, decays as B - D + (A + D) exp(-j/tau) for J ticks (falling below the baseline: an
# afterhyperpolarization), then steps back to B (so the baseline is exactly flat outside the peaks). Recording "up" holds three upward peaks (analysis type 0,
# windows anchored at the peak start, tau asymptote fitted); "down" holds the same peaks mirrored
# about B (polarity -1, analysis type 3 with a stimulus 50 ticks before each onset, tau asymptote
# held at the baseline).
#
# Each event line gives the input record the stage reads (the extent ticks follow the definitions of
# the earlier stages, computed here from the samples). Expectations come from:
#   widths and APDs ........ scipy.signal.peak_widths (prominence A, rel_height 1 - k/10), tolerance one tick,
#                            and exactly (rel 1e-6) from the whole-sample crossings found with numpy
#   Tau .................... scipy.optimize.curve_fit of A exp(-t/tau) + C (C held in tau mode 1), rel 1e-4
#   Slope and intercept .... numpy.polyfit degree 1 over the slope window, rel 1e-5
#   MaxSlope / MinSlope .... scipy.signal.savgol_filter(window N = 5, polyorder 1, deriv 1), rel 1e-5
#   MaxNegSlope ............ numpy.polyfit over consecutive 40-sample blocks, rel 1e-5
#   areas, plateaus ........ plain numpy sums and means of (v - B), rel 1e-6
#   times and levels ....... sample positions found with numpy (first sample reaching a level), rel 1e-6
#
# Chain scenario (tests/enumerators/CalcBulkChainTest.cpp): the same recording "up" and parameters run through the
# whole chain CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))). The head of each
# event (detector tick, baseline, extent, tau-fit, AHP and plateau ticks, lowest and highest sample) comes from
# tests/data/calc_stages_reference.py (detector min height 0.3, every stage at its defaults, computed from the
# samples), and every measurement from those positions with the same numpy/scipy definitions as above.
#   Rerun:  PYENV_VERSION=system python3 tests/data/calcbulk_reference.py chain > tests/data/calcbulk_chain_reference.txt
#
# Output format (read by tests/enumerators/CalcBulkReferenceTest.cpp):
#   scenario NAME / param INDEX VALUE / period P / samples N followed by N hex float32 words /
#   event FIELD=VALUE ... / expect INDEX v VALUE TOL | expect INDEX nv | expect INDEX bits HEX /
#   field NAME VALUE TOL (record fields that are no measurement) / end
import os
import sys

import numpy as np
from scipy.optimize import curve_fit
from scipy.signal import peak_widths, savgol_filter

PERIOD = 0.0001
B = np.float32(0.5)
PEAKS = [  # onset, A, R, tau (ticks), D, J, K
    (300, 8.0, 20, 25.0, 0.8, 150, 1),
    (1000, 6.0, 30, 40.0, 0.5, 220, 1),
    (1800, 10.0, 16, 18.0, 1.2, 120, 1),
]
LENGTH = 2400
PARAM_KEYS = ['type', 'areaStart', 'areaEnd', 'tauMode', 'tauFixed', 'riseStart', 'riseEnd', 'triStart', 'triEnd',
              'plateauMs', 'pltMs', 'slopeStart', 'slopeEnd', 'valueMs', 'negStart', 'smoothMs']


def ms_to_ticks(ms):
    return int(ms * 0.001 / PERIOD + 0.5)


def build_up():
    x = np.full(LENGTH, B, dtype=np.float32)
    for onset, a, r, tau, d, j_end, k_end in PEAKS:
        for i in range(1, r):
            x[onset + i] = np.float32(B + a * (0.3 + 0.7 * (i / r) ** 2))
        peak = onset + r
        x[peak] = np.float32(B + a)
        for j in range(1, j_end + 1):
            x[peak + j] = np.float32(B - d + (a + d) * np.exp(-j / tau))
        last = float(x[peak + j_end])
        for k in range(1, k_end + 1):
            x[peak + j_end + k] = np.float32(last + (B - last) * k / k_end)
    return x


def first(cond, start, stop):
    idx = np.nonzero(cond[start:stop])[0]
    return int(start + idx[0]) if idx.size else -1


def make_event(x, onset, r, p, stim, limit):
    f = x.astype(np.float64)
    b = float(B)
    t = onset + r
    v = f[t]
    h = v - b
    y = p * f
    s = max(i for i in range(onset - 20, t) if y[i] <= p * (b + 0.05 * h))
    e = first(y <= p * b, t + 1, limit)
    ahp_end = first(y >= p * b, e + 1, limit)
    tail = f[e + 1:ahp_end] - b
    tail_overshoot = float(tail[np.argmax(np.abs(tail))]) if tail.size else 0.0
    mid = b + 0.5 * h
    rise = first(y > p * mid, s, t)
    fall = first(y < p * mid, t, e + 1)
    tau_start = first(y <= p * (b + 0.5 * h), t, e + 1)
    tau_end = first(y <= p * (b + (0.05 + 0.000005) * h), t, e + 1)
    t10 = first(f <= b + 0.1 * h, t, e + 1)
    return dict(tick=t, value=v, baseline=b, polarity=float(p), maxValue=v, maxTick=t,
                stimulusTick=stim, baseStartTick=s - 60, baseEndTick=s - 10,
                peakStartTick=s, peakEndTick=e, limitTick=limit,
                tauFitStartTick=tau_start, tauFitEndTick=tau_end, tailOvershoot=tail_overshoot,
                ahpEndTick=ahp_end, midPlateauTick=(rise + fall) // 2,
                plateauCentreTick=int(s * 0.5 + t10 * 0.5 + 0.5))


def search_start(ev):
    x = ev['tick']
    if ev['stimulusTick'] >= 0:
        x = min(x, ev['stimulusTick'])
    return min(x, ev['baseEndTick'] - 1)


def f32(v):
    return float(np.float32(v))


class Out:
    def __init__(self):
        self.lines = []

    def expect(self, index, value, rel, abs_tol=1e-12):
        value = f32(value)
        self.lines.append('expect %d v %r %r' % (index, value, abs(value) * rel + abs_tol))

    def nv(self, index):
        self.lines.append('expect %d nv' % index)


def widths(y, ev, k):
    """Left and right interpolated crossings of level k x 10 % (scipy's rel_height = 1 - k/10)."""
    prom = abs(ev['value'] - ev['baseline'])
    res = peak_widths(y, [ev['tick']], rel_height=1.0 - k / 10.0,
                      prominence_data=(np.array([prom]), np.array([ev['baseStartTick']]),
                                       np.array([ev['ahpEndTick']])))
    return float(res[2][0]), float(res[3][0])


def fit_tau(seg, mode, b):
    n = np.arange(seg.size, dtype=np.float64)
    if mode == 0:
        model = lambda t, a, tau, c: a * np.exp(-t / tau) + c
        p0 = (seg[0] - seg[-1], seg.size / 3.0, seg[-1])
    else:
        model = lambda t, a, tau: a * np.exp(-t / tau) + b
        p0 = (seg[0] - b, seg.size / 3.0)
    popt, _ = curve_fit(model, n, seg, p0=p0, method='lm', ftol=1e-15, xtol=1e-15, gtol=1e-15,
                        maxfev=100000)
    c = popt[2] if mode == 0 else b
    return popt[0], popt[1] * PERIOD, c


def lsq(seg_t, seg_y):
    return np.polyfit(seg_t, seg_y, 1)


def emit_event(out, x, ev, params, count, prev_tick):
    f = x.astype(np.float64)
    p = ev['polarity']
    y = p * f
    b, s, e, t = ev['baseline'], ev['peakStartTick'], ev['peakEndTick'], ev['tick']
    h = ev['value'] - b
    stim = ev['stimulusTick']
    anchor = stim if params['type'] in (3, 4) else s
    one_tick = PERIOD * (1 + 1e-6)

    out.expect(0, s * PERIOD, 1e-6)
    out.lines.append('expect 1 v %r 0' % float(count))
    out.expect(2, b, 0)
    out.expect(3, (ev['maxTick'] - s) * PERIOD, 1e-6)
    out.expect(4, ev['maxValue'], 1e-7)
    out.expect(5, ev['maxValue'] - b, 1e-6)
    for idx in (6, 7, 8, 22):
        out.lines.append('expect %d v -1.0 0' % idx)
    out.expect(9, (e - s) * PERIOD, 1e-6)
    a0 = ms_to_ticks(params['areaStart']) + anchor
    a1 = ms_to_ticks(params['areaEnd']) + anchor
    out.expect(10, PERIOD * np.sum(f[a0:a1] - b), 1e-6, 1e-9)

    # Smoothed slopes: Savitzky-Golay first derivative of the N = 5 windows inside [S, E).
    d = savgol_filter(f, 5, 1, deriv=1, delta=PERIOD, mode='interp')
    centres = np.arange(s + 2, e - 2)
    imax = centres[np.argmax(d[centres])]
    imin = centres[np.argmin(d[centres])]
    out.expect(11, d[imax], 1e-5, 1e-6)
    out.expect(12, d[imin], 1e-5, 1e-6)
    out.expect(13, (imax - s) * PERIOD, 1e-6)
    out.expect(14, (imin - s) * PERIOD, 1e-6)
    out.expect(15, f[imax], 1e-7)
    out.expect(16, f[imin], 1e-7)

    # Rise and fall between the first samples reaching 30 % and 70 % of the height.
    l1, l2 = b + 0.30 * h, b + 0.70 * h
    rs, re = first(y >= p * l1, s, e), first(y >= p * l2, s, e)
    fs, fe = first(y <= p * l2, t, LENGTH), first(y <= p * l1, t, LENGTH)
    out.expect(17, (re - rs) * PERIOD, 1e-6)
    out.expect(18, (fe - fs) * PERIOD, 1e-6)
    out.expect(19, (f[re] - f[rs]) / ((re - rs) * PERIOD), 1e-6)
    out.expect(20, (f[fe] - f[fs]) / ((fe - fs) * PERIOD), 1e-6)
    out.expect(21, ev['tailOvershoot'], 1e-7)

    apd = {}
    for k in range(1, 10):
        left, right = widths(y, ev, k)
        out.expect(22 + k, (right - left) * PERIOD, 0, one_tick)
        apd[10 - k] = (right - s) * PERIOD
        if k == 5:
            out.lines.append('field calcTick1 %r 1' % left)
            out.lines.append('field calcTick2 %r 1' % right)
    # The same widths and APDs from the whole-sample crossings, exactly: L_k = (k 0.1) V + (1 - k 0.1) B;
    # first_k is the tick after the last sample from S to T - 1 below L_k (S when none is), last_k the first
    # sample from T on (before the range end min(E + 1, limit)) at or below L_k.
    range_end = min(e + 1, ev['limitTick'])
    first_k, last_k = {}, {}
    for k in range(10):
        level = p * ((k * 0.1) * ev['value'] + (1.0 - k * 0.1) * b)
        below = np.nonzero(y[s:t] < level)[0]
        first_k[k] = int(s + below[-1] + 1) if below.size else s
        last_k[k] = first(y <= level, t, range_end)
    for k in range(1, 10):
        assert last_k[k] > first_k[k] >= 0
        out.expect(22 + k, (last_k[k] - first_k[k]) * PERIOD, 1e-6)
        out.expect(33 + k, (last_k[10 - k] - s) * PERIOD, 1e-6)
    out.lines.append('field calcTick1 %r 0' % float(first_k[5]))
    out.lines.append('field calcTick2 %r 0' % float(last_k[5]))
    out.expect(32, (t - prev_tick) * PERIOD, 1e-6) if prev_tick >= 0 else out.nv(32)
    amp, tau, asym = fit_tau(f[ev['tauFitStartTick']:ev['tauFitEndTick'] + 1], params['tauMode'], b)
    out.expect(33, tau, 1e-4)
    out.lines.append('field tauAmplitude %r %r' % (f32(amp), abs(amp) * 1e-4))
    out.lines.append('field tauAsymptote %r %r' % (f32(asym), abs(amp) * 1e-4))
    for m in range(1, 10):
        out.expect(33 + m, apd[m], 0, one_tick)
    out.expect(43, apd[7] - apd[3], 0, 2 * one_tick)
    w1, w2 = params['pltTicks'] // 2, params['plateauTicks'] // 2
    out.expect(44, np.mean(f[ev['midPlateauTick'] - w1:ev['midPlateauTick'] + w1]), 1e-6)
    out.expect(45, np.mean(f[ev['plateauCentreTick'] - w2:ev['plateauCentreTick'] + w2]), 1e-6)
    if stim >= 0:
        out.expect(46, f[stim + ms_to_ticks(params['valueMs'])], 1e-7)
        out.expect(47, (s - stim) * PERIOD, 1e-6)
        out.expect(51, (t - stim) * PERIOD, 1e-6)
    else:
        out.nv(46)
        out.nv(47)
        out.nv(51)
    s0 = ms_to_ticks(params['slopeStart']) + anchor
    s1 = max(ms_to_ticks(params['slopeEnd']) + anchor + 1, s0 + 2)
    seg = f[s0:s1]
    slope = lsq(np.arange(seg.size) * PERIOD, seg)[0]
    out.expect(48, slope, 1e-5, 1e-6)
    out.lines.append('field slopeIntercept %r %r' % (f32(lsq(np.arange(1, seg.size + 1), seg)[1]),
                                                     1e-5 * abs(seg).max()))
    out.lines.append('expect 49 bits 7f886000')
    out.lines.append('expect 50 bits 7f886000')
    n2 = ms_to_ticks(params['smoothMs'])
    start = t + ms_to_ticks(params['negStart'])
    blocks = [-lsq(np.arange(n2) * PERIOD, f[i:i + n2])[0] for i in range(start, e - n2 + 1, n2)]
    out.expect(52, max(blocks), 1e-5, 1e-6)
    out.expect(53, (ev['ahpEndTick'] - e) * PERIOD, 1e-6)
    out.expect(54, PERIOD * np.sum(f[e:ev['ahpEndTick']] - b), 1e-6, 1e-9)
    out.expect(55, (ev['ahpEndTick'] - e) * PERIOD + (e - s) * PERIOD, 1e-6)
    out.expect(56, PERIOD * np.sum(f[s:e + 1] - b), 1e-6, 1e-9)
    out.expect(57, e * PERIOD, 1e-6)
    out.lines.append('expect 58 v 0.0 0')


def scenario(name, x, polarity, params, stim_offset):
    out = Out()
    out.lines.append('scenario %s' % name)
    out.lines.append('period %r' % PERIOD)
    for index, key in enumerate(PARAM_KEYS):
        out.lines.append('param %d %r' % (index, float(params[key])))
    out.lines.append('samples %d' % x.size)
    words = x.view(np.uint32)
    for i in range(0, x.size, 8):
        out.lines.append(' '.join('%08x' % w for w in words[i:i + 8]))
    events = []
    for onset, a, r, *_ in PEAKS:
        stim = onset - stim_offset if stim_offset else -1
        events.append(make_event(x, onset, r, polarity, stim, LENGTH))
    for i in range(len(events) - 1):
        events[i]['limitTick'] = search_start(events[i + 1])
    prev = -1
    for count, ev in enumerate(events, 1):
        fields = ' '.join('%s=%r' % (k, float(v) if isinstance(v, float) else int(v)) for k, v in ev.items())
        out.lines.append('event ' + fields)
        emit_event(out, x, ev, params, count, prev)
        out.lines.append('end')
        prev = ev['tick']
    return out.lines


def chain_events(x):
    """Event heads of the chain before CalcBulk, from the independent stages reference."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import calc_stages_reference as stages
    recs = stages.calc_base2(x, stages.calc_amax(x, stages.calc_base(x, stages.detect(x, 0.3))))
    events = []
    for r in recs:
        events.append(dict(tick=r['tick'], value=float(r['value']), baseline=float(r['baseline']),
                           polarity=float(r['polarity']), maxValue=float(r['maxValue']), maxTick=r['maxTick'],
                           stimulusTick=-1, baseStartTick=r['baseStart'], baseEndTick=r['baseEnd'],
                           peakStartTick=r['peakStart'], peakEndTick=r['peakEnd'], limitTick=r['limit'],
                           tauFitStartTick=r['tauStart'], tauFitEndTick=r['tauEnd'], tailOvershoot=float(r['ahp']),
                           ahpEndTick=r['ahpEnd'], midPlateauTick=r['midPlateau'],
                           plateauCentreTick=r['plateauCentre'], lowestSample=float(r['lowest']),
                           highestSample=float(r['highest'])))
    return events


def chain_scenario(x, params):
    out = Out()
    out.lines.append('scenario chain')
    out.lines.append('period %r' % PERIOD)
    for index, key in enumerate(PARAM_KEYS):
        out.lines.append('param %d %r' % (index, float(params[key])))
    out.lines.append('samples %d' % x.size)
    words = x.view(np.uint32)
    for i in range(0, x.size, 8):
        out.lines.append(' '.join('%08x' % w for w in words[i:i + 8]))
    prev = -1
    for count, ev in enumerate(chain_events(x), 1):
        fields = ' '.join('%s=%r' % (k, float(v) if isinstance(v, float) else int(v)) for k, v in ev.items())
        out.lines.append('event ' + fields)
        emit_event(out, x, ev, params, count, prev)
        out.lines.append('end')
        prev = ev['tick']
    return out.lines


def main():
    up = build_up()
    down = (np.float32(2.0) * B - up).astype(np.float32)
    common = dict(tauFixed=0.0, riseStart=30, riseEnd=70, triStart=30, triEnd=70, plateauMs=1.0,
                  pltMs=2.0, negStart=0, smoothMs=4.0)
    up_params = dict(common, type=0, areaStart=0.0, areaEnd=5.0, tauMode=0, slopeStart=1.0,
                     slopeEnd=2.0, valueMs=1.5)
    down_params = dict(common, type=3, areaStart=4.0, areaEnd=9.0, tauMode=1, slopeStart=5.0,
                       slopeEnd=6.0, valueMs=6.0)
    for p in (up_params, down_params):
        p['pltTicks'] = ms_to_ticks(p['pltMs'])
        p['plateauTicks'] = ms_to_ticks(p['plateauMs'])
    chain = sys.argv[1:] == ['chain']
    print('# Generated by tests/data/calcbulk_reference.py%s (numpy %s, scipy %s); do not edit.'
          % (' chain' if chain else '', np.__version__, __import__('scipy').__version__))
    if chain:
        for line in chain_scenario(up, up_params):
            print(line)
        return
    for line in scenario('up', up, 1.0, up_params, 0) + scenario('down', down, -1.0, down_params, 50):
        print(line)


if __name__ == '__main__':
    main()
