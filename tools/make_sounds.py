#!/usr/bin/env python3
"""Writes Kivola's five short sounds as WAV files into the folder given as the only argument.

Each sound is built from sine partials with a soft attack and a smooth decay, and ends
exactly at silence, so nothing clicks. The formats (rate, channels, bits, data length)
are fixed: the program and its tests rely on them to the byte.
"""

import math
import os
import struct
import sys
import tempfile

TWO_PI = 2.0 * math.pi

# Partials above this frequency are left out: at the low sample rates of the clicks they would
# fold back as harsh off-key tones. render() sets it from the sound's rate.
_highest_partial = 5000.0


def envelope(t, attack, decay, length):
    """Soft attack (raised cosine), exponential decay, and a short fade to zero at the end."""
    if t < 0.0 or t >= length:
        return 0.0
    a = 0.5 - 0.5 * math.cos(math.pi * t / attack) if t < attack else 1.0
    d = math.exp(-(t - attack) / decay) if t >= attack else 1.0
    fade = 0.012
    tail = length - t
    f = 0.5 - 0.5 * math.cos(math.pi * tail / fade) if tail < fade else 1.0
    return a * d * f


def note(t, start, freq, partials, attack, decay, length):
    """One struck note: partials is a list of (frequency ratio, amplitude)."""
    u = t - start
    if u < 0.0 or u >= length:
        return 0.0
    env = envelope(u, attack, decay, length)
    if env == 0.0:
        return 0.0
    s = 0.0
    for ratio, amp in partials:
        if freq * ratio > _highest_partial:
            continue
        # Upper partials die away faster, as on a bell or a glockenspiel bar.
        s += amp * math.exp(-u * (ratio - 1.0) * 2.5) * math.sin(TWO_PI * freq * ratio * u)
    return env * s


BELL = [(1.0, 1.0), (2.0, 0.35), (3.0, 0.12), (4.2, 0.05)]
MARIMBA = [(1.0, 1.0), (4.0, 0.25), (9.2, 0.04)]
FLUTE = [(1.0, 1.0), (2.0, 0.18), (3.0, 0.06)]


def function_click(t):
    """Two rising glockenspiel notes (G5, C6): left a little ahead of right."""
    left = note(t, 0.0, 783.99, BELL, 0.006, 0.18, 0.55) + 0.9 * note(
        t, 0.11, 1046.5, BELL, 0.006, 0.26, 0.89)
    right = 0.85 * note(t, 0.0, 783.99, BELL, 0.006, 0.18, 0.55) + note(
        t, 0.11, 1046.5, BELL, 0.006, 0.26, 0.89)
    return left * 0.42, right * 0.42


def lesson_click(t):
    """A soft wooden marimba tap (E5) with a quiet octave above."""
    s = note(t, 0.0, 659.25, MARIMBA, 0.004, 0.09, 0.54) + 0.35 * note(
        t, 0.0, 1318.5, MARIMBA, 0.004, 0.06, 0.54)
    return s * 0.55, s * 0.5


def right_pick(t):
    """A cheerful fanfare: C5 E5 G5 C6 rising, then a bright C major chord that rings out."""
    s = 0.0
    steps = [(0.00, 523.25), (0.16, 659.25), (0.32, 783.99), (0.48, 1046.5)]
    for start, f in steps:
        s += 0.55 * note(t, start, f, FLUTE, 0.015, 0.16, 0.42)
    for f in (523.25, 659.25, 783.99, 1046.5):
        s += 0.32 * note(t, 0.68, f, BELL, 0.02, 0.75, 2.36)
    # A little sparkle on top of the chord.
    for i, f in enumerate((2093.0, 2637.0, 3136.0)):
        s += 0.10 * note(t, 0.80 + 0.09 * i, f, [(1.0, 1.0)], 0.004, 0.12, 0.6)
    return 0.55 * s


def wrong_pick(t):
    """A soft low "boop" that glides downwards."""
    length = 4794 / 22050.0
    f0, f1 = 330.0, 196.0
    # Phase of a linear glide from f0 to f1 over the sound's length.
    phase = TWO_PI * (f0 * t + (f1 - f0) * t * t / (2.0 * length))
    env = envelope(t, 0.02, 0.12, length)
    return 0.6 * env * (math.sin(phase) + 0.15 * math.sin(2.0 * phase))


def tip(t):
    """A tiny high "ding" (G6) as a tip comes up."""
    return 0.45 * note(t, 0.0, 1567.98, BELL, 0.003, 0.05, 6356 / 2 / 22050.0)


def pcm16(v):
    v = max(-1.0, min(1.0, v))
    return struct.pack("<h", int(round(v * 32767.0)))


def pcm8(v):
    v = max(-1.0, min(1.0, v))
    # 8-bit PCM is unsigned: 128 is silence.
    return struct.pack("<B", max(0, min(255, 128 + int(round(v * 127.0)))))


def wav_image(rate, channels, bits, data):
    block = channels * bits // 8
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, channels, rate, rate * block, block, bits)
    header += b"data" + struct.pack("<I", len(data))
    return header + data


def render(func, rate, channels, bits, data_bytes):
    global _highest_partial
    _highest_partial = 0.45 * rate
    frames = data_bytes // (channels * bits // 8)
    pack = pcm16 if bits == 16 else pcm8
    out = bytearray()
    for i in range(frames):
        v = func(i / rate)
        if channels == 2:
            left, right = v
            out += pack(left) + pack(right)
        else:
            out += pack(v)
    assert len(out) == data_bytes
    return wav_image(rate, channels, bits, bytes(out))


SOUNDS = [
    ("function_click.wav", function_click, 11127, 2, 16, 44532),
    ("lesson_click.wav", lesson_click, 11025, 2, 16, 23808),
    ("right_pick.wav", right_pick, 11013, 1, 8, 33558),
    ("wrong_pick.wav", wrong_pick, 22050, 1, 8, 4794),
    ("tip.wav", tip, 22050, 1, 16, 6356),
]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_sounds.py OUTPUT_DIR\n")
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, func, rate, channels, bits, data_bytes in SOUNDS:
        image = render(func, rate, channels, bits, data_bytes)
        path = os.path.join(out_dir, name)
        # A private temporary file, then an atomic rename: two builds writing the same folder
        # at once (make may run this rule for two targets) each put a whole file in place.
        fd, tmp = tempfile.mkstemp(prefix=name + ".", dir=out_dir)
        with os.fdopen(fd, "wb") as f:
            f.write(image)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
