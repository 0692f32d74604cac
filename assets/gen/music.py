"""Looping music, one composition per mood. Each track is a whole number of bars and note tails
wrap round to the start, so the loop point is seamless."""
import random

from synth import tone, silence, mix_into, midi_hz, noise, lowpass, RATE

# Scale degrees (semitones) for the moods
MAJOR = [0, 2, 4, 5, 7, 9, 11]
DORIAN = [0, 2, 3, 5, 7, 9, 10]
MINOR = [0, 2, 3, 5, 7, 8, 10]

# name -> (file, tonic midi, scale, bpm, beats per bar, bars, chord roots (scale degrees), lead timbre, seed)
TRACKS = {
    "title-screen": ("title", 62, DORIAN, 112, 4, 16, [0, 6, 5, 4], "reed", 1),
    "start": ("start", 57, MINOR, 84, 3, 12, [0, 5, 3, 4], "flute", 2),
    "intro-2": ("intro-2", 60, MAJOR, 92, 3, 12, [0, 3, 4, 0], "flute", 3),
    "end": ("end", 60, MAJOR, 104, 4, 14, [0, 3, 4, 0, 5, 3, 4, 4], "reed", 4),
    "level-1": ("level-1", 64, MINOR, 120, 4, 12, [0, 5, 6, 4], "pluck", 5),
    "level-2": ("level-2", 67, MAJOR, 126, 4, 12, [0, 4, 5, 3], "pluck", 6),
    "level-3": ("level-3", 62, DORIAN, 116, 4, 12, [0, 3, 0, 6], "reed", 7),
    "level-4": ("level-4", 65, MAJOR, 108, 3, 16, [0, 5, 3, 4], "flute", 8),
    "level-5": ("level-5", 59, MINOR, 132, 4, 14, [0, 6, 5, 6], "pluck", 9),
}


def note(tonic, scale, degree):
    octave, idx = divmod(degree, len(scale))
    return tonic + 12 * octave + scale[idx]


def compose(name):
    _, tonic, scale, bpm, beats, bars, roots, lead, seed = TRACKS[name]
    rnd = random.Random(seed)
    beat = 60.0 / bpm
    bar = beat * beats
    total = bar * bars
    out = silence(total)
    # a melodic motif of one bar, varied each time it returns
    motif = []
    deg = 4
    for b in range(beats * 2):
        deg = max(0, min(11, deg + rnd.choice([-2, -1, -1, 0, 1, 1, 2])))
        motif.append(deg if rnd.random() > 0.15 else None)
    for i in range(bars):
        t0 = i * bar
        root = roots[i % len(roots)]
        # bass on the beat, fifth on the off-bar beats
        for b in range(beats):
            d = root if b % 2 == 0 else root + 4
            mix_into(out, tone(midi_hz(note(tonic - 24, scale, d)), beat * 0.95, "bass", 0.01, decay=beat * 0.8,
                               amp=0.55), t0 + b * beat, wrap=True)
        # soft chord pad
        for d in (root, root + 2, root + 4):
            mix_into(out, tone(midi_hz(note(tonic - 12, scale, d)), bar, "flute", 0.08, decay=bar * 0.9,
                               release=0.1, amp=0.12), t0, wrap=True)
        # lead: the motif, shifted to the chord and varied in the second half
        shift = root if i % 4 != 3 else root + 2
        for k, d in enumerate(motif):
            if d is None or (i % 8 >= 6 and k % 2 == 1):
                continue
            dd = d + (shift % 3) - 1
            if i >= bars // 2 and rnd.random() < 0.3:
                dd += rnd.choice([-1, 1])
            length = beat / 2 * (2 if k % 4 == 0 else 1)
            mix_into(out, tone(midi_hz(note(tonic, scale, dd)), length * 1.6, lead, 0.01,
                               decay=length * (1.5 if lead == "pluck" else 2.5), vibrato=5 if lead != "pluck" else 0,
                               amp=0.32), t0 + k * beat / 2, wrap=True)
        # light percussion: a shaker on the off-beats
        for b in range(beats):
            hit = lowpass(noise(0.05, seed * 100 + i * 8 + b, decay=0.012), 5000)
            mix_into(out, hit, t0 + b * beat + beat / 2, 0.18, wrap=True)
    return out, total


def length_seconds(name):
    _, _, _, bpm, beats, bars, _, _, _ = TRACKS[name]
    return 60.0 / bpm * beats * bars
