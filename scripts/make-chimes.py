#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The nuperako developers
# SPDX-License-Identifier: MIT
"""Writes the two sound cues into resources/ as 16-bit mono PCM wave files.

mypinpon.wav: a bright rising two-tone chime (reset and help).
endpinpon.wav: a lower falling one (exit).
Each tone is a sine with a few soft overtones, a quick attack and an
exponential decay, so the cue sounds like a door chime and stays under 1 s.
"""
import math
import pathlib
import struct
import wave

RATE = 22050


def tone(frequency, seconds, decay):
    samples = []
    for n in range(int(RATE * seconds)):
        t = n / RATE
        envelope = min(1.0, t / 0.005) * math.exp(-t / decay)
        value = sum(a * math.sin(2 * math.pi * frequency * k * t) for k, a in ((1, 1.0), (2, 0.25), (3, 0.1)))
        samples.append(envelope * value / 1.35)
    return samples


def chime(first, second, gap, length, decay):
    """The first tone, damped to 40% when the second one strikes gap seconds later."""
    a = tone(first, length, decay)
    b = tone(second, length - gap, decay)
    offset = int(RATE * gap)
    return a[:offset] + [x * 0.4 + y for x, y in zip(a[offset:], b)]


def write(path, samples, volume=0.7):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s * volume)) * 32767)) for s in samples))


if __name__ == "__main__":
    out = pathlib.Path(__file__).resolve().parent.parent / "resources"
    write(out / "mypinpon.wav", chime(784.0, 1046.5, 0.18, 0.7, 0.16))   # G5 then C6: rising
    write(out / "endpinpon.wav", chime(659.3, 440.0, 0.22, 0.8, 0.20))   # E5 then A4: falling
