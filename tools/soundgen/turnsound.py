#!/usr/bin/env python3
"""Writes the turn chime (src/ui/sounds/turn.wav): two soft notes, a fifth
apart, 0.3 s, 22050 Hz, 16-bit mono. Run from the repository's root."""
import math
import struct
import wave

RATE = 22050
NOTES = [(880.0, 0.0, 0.14), (1318.5, 0.12, 0.28)]


def sample(t):
    value = 0.0
    for frequency, start, end in NOTES:
        if start <= t < end:
            u = t - start
            envelope = min(1.0, u / 0.005) * math.exp(-u * 14)
            value += envelope * (math.sin(2 * math.pi * frequency * u)
                                 + 0.25 * math.sin(4 * math.pi * frequency * u))
    return int(max(-1.0, min(1.0, value * 0.45)) * 32767)


with wave.open("src/ui/sounds/turn.wav", "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(b"".join(struct.pack("<h", sample(i / RATE))
                             for i in range(int(RATE * 0.30))))
