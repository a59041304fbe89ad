#!/usr/bin/env python3
"""Writes the program's own sound files below media/: two short wave files and five MIDI pieces.

Everything is synthesised or composed here, with Python's standard library only, so that the
files can be made again at any time:  python3 scripts/make_media.py [output folder]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050  # Hz; mono, 16-bit
PPQ = 480  # MIDI ticks per quarter note


# ----- wave files -----------------------------------------------------------------------------

def bell(frequency, seconds, partials, decay):
    """One struck note: partials (ratio, level) with an exponential fall and a 4 ms attack."""
    count = int(seconds * RATE)
    attack = int(0.004 * RATE)
    samples = []
    for i in range(count):
        t = i / RATE
        value = 0.0
        for ratio, level in partials:
            f = frequency * ratio
            if f < RATE * 0.45:
                # Higher partials fade faster, as in a real bell.
                value += level * math.exp(-t * decay * ratio ** 0.5) * math.sin(2 * math.pi * f * t)
        if i < attack:
            value *= i / attack
        samples.append(value)
    return samples


def mix(length_seconds, notes):
    """Adds (start seconds, samples) into one track and scales it to a peak of 0.8."""
    out = [0.0] * int(length_seconds * RATE)
    for start, samples in notes:
        offset = int(start * RATE)
        for i, value in enumerate(samples):
            if offset + i < len(out):
                out[offset + i] += value
    peak = max(abs(v) for v in out) or 1.0
    fade = int(0.02 * RATE)  # end on silence
    for i in range(fade):
        out[-1 - i] *= i / fade
    return [v * 0.8 / peak for v in out]


def write_wave(path, samples):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32767))) for v in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def reminder():
    """A soft two-note door chime: E5 then C5."""
    tone = [(1.0, 1.0), (2.0, 0.35), (3.0, 0.12)]
    return mix(1.25, [(0.0, bell(659.25, 1.0, tone, 3.2)), (0.42, bell(523.25, 0.83, tone, 3.2))])


def chimes():
    """Four tubular-bell strokes rising through a G major chord."""
    tube = [(1.0, 1.0), (2.76, 0.45), (5.40, 0.18)]
    notes = [(0.0, 783.99), (0.22, 987.77), (0.44, 1174.66), (0.66, 1567.98)]
    return mix(1.9, [(start, bell(f, 1.9 - start, tube, 2.6)) for start, f in notes])


# ----- MIDI files -----------------------------------------------------------------------------

def var_len(value):
    data = [value & 0x7F]
    value >>= 7
    while value:
        data.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(data)


class Score:
    """Notes and settings in beats, written as a format-0 standard MIDI file."""

    def __init__(self, bpm):
        self.events = [(0, 0, bytes([0xFF, 0x51, 0x03]) + (60_000_000 // bpm).to_bytes(3, "big"))]

    def program(self, channel, number, volume=100):
        self.events.append((0, 1, bytes([0xC0 | channel, number])))
        self.events.append((0, 1, bytes([0xB0 | channel, 7, volume])))

    def note(self, channel, pitch, start, beats, velocity=80):
        on = int(round(start * PPQ))
        off = int(round((start + beats) * PPQ)) - 12  # a hair of air between repeated notes
        self.events.append((on, 3, bytes([0x90 | channel, pitch, velocity])))
        self.events.append((off, 2, bytes([0x80 | channel, pitch, 0])))

    def chord(self, channel, pitches, start, beats, velocity=60):
        for pitch in pitches:
            self.note(channel, pitch, start, beats, velocity)

    def write(self, path):
        track = b""
        now = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            track += var_len(tick - now) + data
            now = tick
        track += var_len(PPQ) + b"\xFF\x2F\x00"
        header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, PPQ)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(header + b"MTrk" + struct.pack(">I", len(track)) + track)


C4 = 60
NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def p(name):
    """'C4', 'F#3', 'Bb5' -> MIDI note number."""
    pitch = NAMES[name[0]]
    rest = name[1:]
    while rest[0] in "#b":
        pitch += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return C4 + pitch + 12 * (int(rest) - 4)


def melody(score, channel, notes, start=0.0, velocity=84):
    """notes: 'E5:1 D5:0.5 r:0.5 ...' (pitch:beats, r for a rest)."""
    at = start
    for item in notes.split():
        name, beats = item.split(":")
        if name != "r":
            score.note(channel, p(name), at, float(beats), velocity)
        at += float(beats)
    return at


def dream():
    """A slow dream: harp arpeggios over a warm pad, a celesta line above."""
    s = Score(76)
    s.program(0, 46, 96)   # orchestral harp
    s.program(1, 89, 70)   # warm pad
    s.program(2, 8, 90)    # celesta
    chords = [["C3", "G3", "E4", "B4"], ["A2", "E3", "C4", "G4"], ["F2", "C3", "A3", "E4"], ["G2", "D3", "B3", "F4"]]
    for bar in range(8):
        notes = [p(n) for n in chords[bar % 4]]
        s.chord(1, notes, bar * 4, 4, 50)
        for i, pitch in enumerate(notes + [notes[2] + 12, notes[3], notes[2], notes[1]]):
            s.note(0, pitch, bar * 4 + i * 0.5, 0.5, 70)
    melody(s, 2, "E5:2 D5:1 C5:1 E5:3 r:1 C5:2 B4:1 A4:1 C5:3 r:1 "
                 "A4:2 C5:1 E5:1 G5:3 r:1 F5:1 E5:1 D5:2 C5:4", 0, 80)
    return s


def a_bridge():
    """A walk over a bridge: piano melody in G major over strings."""
    s = Score(92)
    s.program(0, 0, 100)   # piano
    s.program(1, 48, 72)   # strings
    s.program(2, 32, 90)   # acoustic bass
    bars = [["G3", "B3", "D4"], ["E3", "G3", "B3"], ["C3", "E3", "G3"], ["D3", "F#3", "A3"]]
    for bar in range(8):
        chord = [p(n) for n in bars[bar % 4]]
        s.chord(1, chord, bar * 4, 4, 55)
        s.note(2, chord[0] - 12, bar * 4, 2, 85)
        s.note(2, chord[0] - 5, bar * 4 + 2, 2, 80)
    melody(s, 0, "B4:1 D5:1 G5:1.5 F#5:0.5 E5:2 D5:2 C5:1 E5:1 G5:1 E5:1 D5:3 r:1 "
                 "B4:1 D5:1 G5:1 B5:1 A5:2 G5:1 E5:1 C5:1 A4:1 B4:1 C5:1 D5:2 G4:2", 0, 88)
    return s


def jazz():
    """A short swing tune: ii-V-I in F on electric piano, walking bass and ride cymbal."""
    s = Score(126)
    s.program(0, 4, 90)    # electric piano
    s.program(1, 32, 100)  # acoustic bass
    s.program(3, 65, 90)   # alto sax
    changes = [
        (["G3", "Bb3", "D4", "F4"], ["G2", "A2", "Bb2", "B2"]),
        (["C3", "E3", "Bb3", "D4"], ["C3", "Bb2", "A2", "G2"]),
        (["F3", "A3", "C4", "E4"], ["F2", "G2", "A2", "C3"]),
        (["D3", "F#3", "C4", "E4"], ["D3", "C3", "A2", "F#2"]),
    ]
    for bar in range(8):
        chord, walk = changes[bar % 4]
        at = bar * 4
        s.chord(0, [p(n) for n in chord], at + 1.66, 0.34, 62)  # the "and" of two: a comp
        s.chord(0, [p(n) for n in chord], at + 3, 0.5, 56)
        for beat, name in enumerate(walk):
            s.note(1, p(name), at + beat, 1, 92)
        for beat in range(4):  # ride cymbal, swung eighths on two and four
            s.note(9, 51, at + beat, 0.66, 70)
            if beat % 2 == 1:
                s.note(9, 51, at + beat + 0.66, 0.34, 55)
                s.note(9, 42, at + beat, 0.5, 60)
    melody(s, 3, "r:1 D5:0.66 F5:0.34 A5:1 G5:1 E5:1.5 C5:0.5 r:2 A4:0.66 C5:0.34 E5:1 D5:1 F#5:2 r:3 "
                 "r:1 F5:0.66 A5:0.34 C6:1 Bb5:1 G5:1 E5:1 C5:2 A4:1 F5:3 r:4", 0, 86)
    return s


def mount():
    """The mountain: a broad horn call in D major over strings and timpani."""
    s = Score(72)
    s.program(0, 60, 100)  # French horn
    s.program(1, 48, 80)   # strings
    s.program(2, 47, 90)   # timpani
    bars = [["D3", "A3", "F#4"], ["B2", "F#3", "D4"], ["G2", "D3", "B3"], ["A2", "E3", "C#4"]]
    for bar in range(8):
        chord = [p(n) for n in bars[bar % 4]]
        s.chord(1, chord, bar * 4, 4, 58)
        s.note(2, chord[0], bar * 4, 1, 80 if bar % 2 == 0 else 64)
    melody(s, 0, "A4:1.5 D5:0.5 E5:1 F#5:1 A5:3 F#5:1 G5:1.5 F#5:0.5 E5:1 D5:1 E5:4 "
                 "A4:1.5 D5:0.5 E5:1 F#5:1 B5:3 A5:1 G5:1 F#5:1 E5:1 C#5:1 D5:4", 0, 90)
    return s


def indian_summer():
    """A bright marimba piece in a pentatonic scale over a light bass."""
    s = Score(104)
    s.program(0, 12, 100)  # marimba
    s.program(1, 33, 88)   # fingered bass
    s.program(2, 11, 70)   # vibraphone
    roots = ["C3", "A2", "F2", "G2"]
    for bar in range(8):
        root = p(roots[bar % 4])
        for beat in (0, 1.5, 2, 3.5):
            s.note(1, root - 12 + (7 if beat == 2 else 0), bar * 4 + beat, 0.5, 88)
        s.chord(2, [root + 12, root + 16, root + 19], bar * 4, 4, 40)
    line = "C5:0.5 D5:0.5 E5:0.5 G5:0.5 A5:1 G5:1 E5:0.5 D5:0.5 C5:1 D5:1 E5:1 " \
           "A4:0.5 C5:0.5 D5:0.5 E5:0.5 G5:1 E5:1 D5:0.5 C5:0.5 A4:1 G4:1 A4:1 "
    melody(s, 0, line + line.replace("A4:1 G4:1 A4:1", "D5:1 E5:1 C5:1"), 0, 92)
    return s


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "media")
    write_wave(os.path.join(root, "wav", "reminder.wav"), reminder())
    write_wave(os.path.join(root, "wav", "chimes.wav"), chimes())
    pieces = {
        "mid/fantansy/dream.mid": dream,
        "mid/fantansy/a_bridge.mid": a_bridge,
        "mid/fantansy/15jzz30xg.mid": jazz,
        "mid/fantansy/mount.mid": mount,
        "mid/general/12ind31xg.mid": indian_summer,
    }
    for name, compose in pieces.items():
        compose().write(os.path.join(root, *name.split("/")))


if __name__ == "__main__":
    main()
