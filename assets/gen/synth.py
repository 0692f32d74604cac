"""A small synthesiser for the game's sound effects and music (pure Python, no dependencies).

Everything renders mono at RATE into lists of floats; write_wav turns one into 16-bit PCM.
Voices come from one-cycle wavetables so long music stays fast enough to build every time.
"""
import array
import math
import random
import wave

RATE = 22050
TABLE = 2048


def _table(harmonics):
    t = [0.0] * TABLE
    for n, amp in harmonics:
        for i in range(TABLE):
            t[i] += amp * math.sin(2 * math.pi * n * i / TABLE)
    peak = max(abs(v) for v in t) or 1.0
    return [v / peak for v in t]


# Timbres: (harmonic number, amplitude)
TIMBRES = {
    "sine": _table([(1, 1.0)]),
    "pluck": _table([(1, 1.0), (2, 0.5), (3, 0.3), (4, 0.15), (5, 0.08)]),
    "reed": _table([(1, 1.0), (2, 0.6), (3, 0.45), (4, 0.3), (5, 0.25), (6, 0.15), (7, 0.1)]),
    "flute": _table([(1, 1.0), (2, 0.2), (3, 0.08)]),
    "bass": _table([(1, 1.0), (2, 0.35), (3, 0.12)]),
    "bell": _table([(1, 1.0), (2.0, 0.0), (3, 0.2)]),
}


# Highest harmonic of each timbre, to keep every partial below the Nyquist frequency.
TOP_HARMONIC = {"sine": 1, "pluck": 5, "reed": 7, "flute": 3, "bass": 3, "bell": 3}


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def midi_hz(m):
    return 440.0 * 2 ** ((m - 69) / 12.0)


def tone(freq, seconds, timbre="sine", attack=0.005, decay=None, release=0.05, vibrato=0.0, glide=None, amp=1.0):
    """One note from a wavetable. decay: exponential time constant (s), None = sustained.
    glide: end frequency for a linear pitch sweep."""
    n = int(seconds * RATE)
    top = max(freq, glide or 0.0)
    if top >= 0.45 * RATE:
        return [0.0] * n  # would only alias
    if top * TOP_HARMONIC[timbre] >= 0.45 * RATE:
        timbre = "sine"  # high notes lose their overtones rather than fold back as noise
    tab = TIMBRES[timbre]
    out = [0.0] * n
    phase = 0.0
    na = max(1, int(attack * RATE))
    nr = max(1, int(release * RATE))
    k = math.exp(-1.0 / (decay * RATE)) if decay else 1.0
    env = amp
    f1 = glide if glide is not None else freq
    for i in range(n):
        f = freq + (f1 - freq) * i / n
        if vibrato:
            f *= 1.0 + 0.006 * math.sin(2 * math.pi * vibrato * i / RATE)
        phase = (phase + f * TABLE / RATE) % TABLE
        e = env
        if i < na:
            e *= i / na
        if i > n - nr:
            e *= (n - i) / nr
        out[i] = tab[int(phase)] * e
        env *= k
    return out


def noise(seconds, seed=1, decay=None, amp=1.0):
    rnd = random.Random(seed)
    n = int(seconds * RATE)
    k = math.exp(-1.0 / (decay * RATE)) if decay else 1.0
    out = [0.0] * n
    env = amp
    for i in range(n):
        out[i] = rnd.uniform(-1, 1) * env
        env *= k
    return out


def lowpass(x, cutoff):
    a = 1 - math.exp(-2 * math.pi * cutoff / RATE)
    y, out = 0.0, [0.0] * len(x)
    for i, v in enumerate(x):
        y += a * (v - y)
        out[i] = y
    return out


def highpass(x, cutoff):
    lp = lowpass(x, cutoff)
    return [a - b for a, b in zip(x, lp)]


def bandpass(x, centre, q=4.0):
    """Biquad band-pass (constant peak gain)."""
    w = 2 * math.pi * centre / RATE
    alpha = math.sin(w) / (2 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1 + alpha, -2 * math.cos(w), 1 - alpha
    b0, b2, a1, a2 = b0 / a0, b2 / a0, a1 / a0, a2 / a0
    x1 = x2 = y1 = y2 = 0.0
    out = [0.0] * len(x)
    for i, v in enumerate(x):
        y = b0 * v + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, y
        out[i] = y
    return out


def mix_into(dst, src, at_seconds=0.0, gain=1.0, wrap=False):
    """Adds src into dst from the given time. dst grows to hold the whole of src; with wrap it keeps
    its length and the tail continues at the start instead (for loops)."""
    start = int(at_seconds * RATE)
    if not wrap and start + len(src) > len(dst):
        dst.extend([0.0] * (start + len(src) - len(dst)))
    n = len(dst)
    for i, v in enumerate(src):
        j = start + i
        if j >= n:
            j %= n
        dst[j] += v * gain
    return dst


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def echo(x, delay=0.12, feedback=0.35, taps=3):
    out = list(x) + [0.0] * int(delay * taps * RATE)
    d = int(delay * RATE)
    g = feedback
    for t in range(1, taps + 1):
        for i, v in enumerate(x):
            out[i + d * t] += v * g
        g *= feedback
    return out


def normalise(x, peak=0.85):
    m = max((abs(v) for v in x), default=0.0)
    if m <= 0:
        return x
    return [v * peak / m for v in x]


def fade_edges(x, seconds=0.004):
    n = min(len(x) // 2, int(seconds * RATE))
    for i in range(n):
        x[i] *= i / n
        x[-1 - i] *= i / n
    return x


def write_wav(path, samples):
    data = array.array("h", (max(-32767, min(32767, int(v * 32767))) for v in samples))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())
