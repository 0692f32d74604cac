"""Recipes of the sound effects, one function per name the game starts (lookups ignore case)."""
import math
import random

from synth import tone, noise, lowpass, highpass, bandpass, mix_into, silence, concat, echo, midi_hz


def _arp(notes, step, timbre="pluck", decay=0.18, length=0.35, amp=1.0):
    out = silence(step * len(notes) + length)
    for i, m in enumerate(notes):
        mix_into(out, tone(midi_hz(m), length, timbre, decay=decay, amp=amp), i * step)
    return out


def _chord(notes, length, timbre="pluck", decay=0.4, amp=0.6):
    out = silence(length)
    for m in notes:
        mix_into(out, tone(midi_hz(m), length, timbre, decay=decay, amp=amp))
    return out


def _coin(seed, base):
    out = silence(0.45)
    for f, a, d in ((base, 1.0, 0.09), (base * 2.76, 0.5, 0.06), (base * 5.4, 0.3, 0.04)):
        mix_into(out, tone(f, 0.4, "sine", attack=0.001, decay=d, amp=a))
    mix_into(out, tone(base * 1.5, 0.3, "sine", attack=0.001, decay=0.07, amp=0.6), 0.07)
    mix_into(out, highpass(noise(0.02, seed, decay=0.004), 3000), gain=0.4)
    return out


def _crack(seed, centre, length=0.35, body_hz=140):
    n = bandpass(noise(length, seed, decay=length / 5), centre, q=2.5)
    out = [v * 3 for v in n]
    mix_into(out, tone(body_hz, length, "sine", attack=0.001, decay=0.06, glide=body_hz * 0.6, amp=0.7))
    for k in range(4):  # splinters
        mix_into(out, bandpass(noise(0.03, seed + 10 + k, decay=0.008), centre * 1.8, q=3), 0.04 + 0.05 * k, 1.5)
    return out


def _stone(seed, pitch):
    out = lowpass(noise(0.3, seed, decay=0.05), 900)
    out = [v * 2.5 for v in out]
    mix_into(out, tone(pitch, 0.3, "sine", attack=0.001, decay=0.07, glide=pitch * 0.7, amp=0.9))
    return out


def _chime(notes, timbre="bell", step=0.07, decay=0.25):
    return echo(_arp(notes, step, timbre, decay=decay, length=0.5), 0.11, 0.3, 2)


def _swish(seed, lo, hi, length=0.25):
    n = noise(length, seed)
    env_n = len(n)
    out = [v * (1 - abs(2 * i / env_n - 1)) for i, v in enumerate(n)]
    a = bandpass(out[: env_n // 2], lo, q=1.5)
    b = bandpass(out[env_n // 2:], hi, q=1.5)
    return a + b


RECIPES = {
    "click": lambda: concat(mix_into(bandpass(noise(0.05, 3, decay=0.006), 2200, 3), tone(1400, 0.05, "sine", 0.001,
                                                                                           decay=0.01), gain=0.5)),
    "begin": lambda: _arp([60, 64, 67, 72], 0.09, decay=0.25, length=0.5),
    "win": lambda: concat(_arp([67, 72, 76, 79], 0.1, decay=0.2, length=0.3), _chord([72, 76, 79, 84], 1.0, "reed",
                                                                                     decay=0.5)),
    "lose": lambda: concat(tone(midi_hz(62), 0.35, "reed", decay=0.3, vibrato=5), tone(midi_hz(61), 0.35, "reed",
                                                                                          decay=0.3, vibrato=5),
                           tone(midi_hz(58), 0.9, "reed", decay=0.5, vibrato=5, glide=midi_hz(57))),
    "hint": lambda: _chime([84, 88, 91, 96], step=0.05, decay=0.15),
    "living": lambda: concat(*[tone(300 + 120 * k, 0.08, "sine", 0.005, decay=0.04, glide=700 + 150 * k)
                               for k in range(4)]),
    "put": lambda: mix_into(lowpass(noise(0.2, 5, decay=0.03), 600), tone(120, 0.2, "sine", 0.001, decay=0.05,
                                                                         glide=70), gain=1.2),
    "rotate": lambda: _swish(6, 800, 1800, 0.18),
    "bonus_bag": lambda: mix_into(mix_into(lowpass(noise(0.5, 7, decay=0.05), 500), _coin(8, 2100), 0.08, 0.6),
                                  _coin(9, 2500), 0.16, 0.5),
    "bonus_eye": lambda: _chime([76, 83, 88, 95, 100], step=0.06),
    "bonus_loadup": lambda: concat(tone(300, 0.35, "flute", 0.02, decay=None, glide=900, amp=0.6),
                                   _chime([84, 91], step=0.08)),
    "bonus_map": lambda: mix_into(_swish(10, 1500, 3000, 0.3), _chime([72, 79, 84], step=0.08), 0.15, 1.2),
    "bonus_medalion": lambda: _chime([72, 79, 84, 88], timbre="bell", step=0.1, decay=0.5),
    "bonus_skull": lambda: mix_into(tone(midi_hz(45), 1.0, "reed", 0.05, decay=0.5, vibrato=6, glide=midi_hz(40)),
                                    tone(midi_hz(52), 1.0, "reed", 0.05, decay=0.5, vibrato=5.5, glide=midi_hz(47)),
                                    gain=0.7),
    "bonus_sword": lambda: mix_into(_swish(11, 1200, 4000, 0.22), tone(2600, 0.8, "bell", 0.001, decay=0.3), 0.18, 0.5),
    "break_right": lambda: _crack(12, 900, body_hz=180),
    "break_wrong": lambda: mix_into(_stone(13, 110), tone(70, 0.4, "reed", 0.01, decay=0.15), gain=0.4),
    "tile_right": lambda: tone(midi_hz(79), 0.3, "pluck", 0.002, decay=0.08),
    "tile_wrong": lambda: mix_into(lowpass(noise(0.18, 14, decay=0.03), 400), tone(90, 0.18, "sine", 0.001,
                                                                                  decay=0.04), gain=1.2),
    "chest_blow": lambda: mix_into(_crack(15, 500, 1.0, 90), lowpass(noise(1.0, 16, decay=0.3), 300), 0.05, 1.5),
    "chest_hit_1": lambda: _stone(17, 180),
    "chest_hit_2": lambda: _stone(18, 150),
    "chest_hit_3": lambda: mix_into(_stone(19, 120), _crack(20, 700, 0.25, 110), 0.02, 0.6),
    "coin_1": lambda: _coin(21, 1900),
    "coin_2": lambda: _coin(22, 2150),
    "coin_3": lambda: _coin(23, 2400),
    "coin_4": lambda: _coin(24, 2700),
    "HO_bad": lambda: concat(tone(150, 0.12, "reed", 0.005, decay=0.1), silence(0.03), tone(120, 0.2, "reed", 0.005,
                                                                                             decay=0.1)),
    "HO_hint": lambda: _chime([88, 91, 95], step=0.05, decay=0.12),
    "HO_ok": lambda: _arp([79, 84], 0.08, "bell", decay=0.2, length=0.45),
    "puzzles_end_level": lambda: concat(_arp([60, 64, 67, 72, 76], 0.08, decay=0.2, length=0.25),
                                        _chord([60, 67, 72, 76], 1.2, "reed", decay=0.6)),
}


# ---- the opening film's sounds, written to sfx/Intro/ ----------------------------------------

def _boom(seed, body_hz, length=1.2):
    out = lowpass(noise(length, seed, decay=length / 4), 500)
    out = [v * 2.2 for v in out]
    mix_into(out, tone(body_hz, length, "sine", attack=0.002, decay=0.25, glide=body_hz * 0.45, amp=1.0))
    mix_into(out, bandpass(noise(0.08, seed + 1, decay=0.02), 1800, q=1.5), gain=1.2)
    return echo(out, 0.23, 0.25, 2)


def _sea(seed, length):
    """Surf that swells and falls: band-limited noise under a slow wave."""
    n = lowpass(noise(length, seed), 700)
    rate = len(n) / length
    return [v * (0.55 + 0.45 * math.sin(2 * math.pi * i / rate / 3.5)) for i, v in enumerate(n)]


def _creaks(seed, length, count, base):
    out = silence(length)
    rnd = random.Random(seed)
    for k in range(count):
        f = base * rnd.uniform(0.8, 1.3)
        mix_into(out, tone(f, 0.5, "reed", 0.08, decay=0.25, glide=f * rnd.uniform(0.7, 1.3), amp=0.35),
                 rnd.uniform(0, length - 0.6))
    return out


def _crackle(seed, length, density):
    out = lowpass(noise(length, seed), 1200)
    out = [v * 0.5 for v in out]
    rnd = random.Random(seed + 1)
    for _ in range(int(length * density)):
        mix_into(out, highpass(noise(0.012, rnd.randint(1, 10 ** 6), decay=0.003), 2500), rnd.uniform(0, length - 0.02),
                 rnd.uniform(0.6, 1.4))
    return out


def _bubbles(seed, length, count):
    out = silence(length)
    rnd = random.Random(seed)
    for _ in range(count):
        f = rnd.uniform(300, 900)
        mix_into(out, tone(f, 0.08, "sine", 0.002, decay=0.03, glide=f * 1.8, amp=0.6), rnd.uniform(0, length - 0.1))
    return mix_into(out, lowpass(noise(length, seed + 2, decay=length / 2), 300), gain=0.6)


def _rip(seed, length):
    n = bandpass(noise(length, seed), 2600, q=1.2)
    rnd = random.Random(seed)
    return [v * (0.4 + 0.6 * abs(math.sin(i / 180.0 + rnd.random() * 0.2))) * (1 - i / len(n)) for i, v in enumerate(n)]


def _voices(seed, length):
    """A crowd in uproar: many low, wavering shouts over a din."""
    out = lowpass(noise(length, seed), 900)
    out = [v * 0.6 for v in out]
    rnd = random.Random(seed)
    for _ in range(int(length * 6)):
        f = rnd.uniform(110, 260)
        mix_into(out, tone(f, rnd.uniform(0.25, 0.6), "reed", 0.04, decay=0.2, vibrato=rnd.uniform(4, 8),
                           glide=f * rnd.uniform(0.7, 1.4), amp=0.5), rnd.uniform(0, length - 0.7))
    return out


INTRO = {
    "ship": lambda: mix_into(_sea(31, 6.0), _creaks(32, 6.0, 5, 180), gain=0.8),
    "burning": lambda: _crackle(33, 5.0, 30),
    "cannon-fire-1": lambda: _boom(34, 70),
    "cannon-fire-2": lambda: _boom(35, 60, 1.4),
    "ship_hit": lambda: mix_into(_boom(36, 90, 1.0), _crack(37, 700, 0.6, 120), 0.02, 1.2),
    "bubles": lambda: _bubbles(38, 2.5, 40),
    "chaos": lambda: _voices(39, 5.0),
    "wreck": lambda: mix_into(lowpass(noise(6.0, 40), 250), _creaks(41, 6.0, 6, 90), gain=1.2),
    "grids": lambda: _chime([79, 86, 91], timbre="bell", step=0.09, decay=0.35),
    "ghost": lambda: echo(concat(tone(midi_hz(62), 1.4, "flute", 0.3, decay=None, vibrato=5, glide=midi_hz(57)),
                                 tone(midi_hz(57), 1.2, "flute", 0.1, decay=0.6, vibrato=6, glide=midi_hz(50))),
                          0.25, 0.4, 3),
    "x_on_map": lambda: mix_into(bandpass(noise(0.12, 42, decay=0.04), 3500, q=2), tone(midi_hz(72), 0.25, "pluck",
                                                                                       decay=0.08, amp=0.5), 0.03),
    "torn_map": lambda: _rip(43, 1.1),
}
