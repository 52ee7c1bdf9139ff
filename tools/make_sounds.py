#!/usr/bin/env python3
"""Synthesises the game's sounds and music into GameData/Music/.

Run from anywhere:  python3 tools/make_sounds.py
Python 3 standard library only; every random choice comes from a seeded
generator, so the output is the same on every run.

All files are 16-bit PCM, mono, 22050 Hz.

  bullet.wav      the Gatling's shot: a short crack with a low thump
  Explosion.wav   the Rocket's hit: a boom that rumbles away
  Freeze.wav      the Freeze turret: a falling sparkle of high bells
  Menu.wav        menu music, A minor, calm; loops seamlessly
  Background.wav  level music, E minor, driving; loops seamlessly

The music is mixed into a ring buffer exactly a whole number of bars long:
whatever rings on past the last bar (note releases, echoes) wraps round to
the start, so the track joins itself without a seam when played looping.
"""

import math
import os
import random
import struct
import wave

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "GameData", "Music")
RATE = 22050
TWO_PI = 2.0 * math.pi


# ------------------------------------------------------------ output

def write_wav(name, samples, peak=0.85):
    top = max(abs(s) for s in samples) or 1.0
    scale = peak * 32767.0 / top
    data = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, name)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)
    print("wrote GameData/Music/%s: %.2f s, %d bytes"
          % (name, len(samples) / float(RATE), os.path.getsize(path)))


def fade_out(samples, seconds):
    n = min(len(samples), int(seconds * RATE))
    for i in range(n):
        k = len(samples) - n + i
        samples[k] *= 0.5 * (1.0 + math.cos(math.pi * (i + 1) / n))
    return samples


def one_pole_lowpass(samples, cutoff_at):
    """Low-pass with a cutoff (Hz) that may change over time:
    cutoff_at(t) gives it for t in seconds."""
    out = []
    y = 0.0
    for i, x in enumerate(samples):
        fc = cutoff_at(i / float(RATE))
        a = 1.0 - math.exp(-TWO_PI * fc / RATE)
        y += a * (x - y)
        out.append(y)
    return out


# ------------------------------------------------------------ effects

def bullet():
    rng = random.Random(1101)
    n = int(0.11 * RATE)
    out = []
    prev = 0.0
    for i in range(n):
        t = i / float(RATE)
        white = rng.uniform(-1.0, 1.0)
        crack = (white - prev) * math.exp(-t / 0.012)   # bright, very short
        prev = white
        hiss = white * 0.35 * math.exp(-t / 0.03)
        f = 60.0 + 140.0 * math.exp(-t / 0.02)           # thump falls in pitch
        thump = math.sin(TWO_PI * f * t) * math.exp(-t / 0.035)
        out.append(0.8 * crack + hiss + 0.9 * thump)
    return fade_out(out, 0.015)


def explosion():
    rng = random.Random(2202)
    n = int(0.55 * RATE)
    raw = []
    brown = 0.0
    for i in range(n):
        brown = 0.985 * brown + 0.12 * rng.uniform(-1.0, 1.0)
        raw.append(brown)
    # the rumble darkens as it dies away
    rumble = one_pole_lowpass(raw, lambda t: 250.0 + 2600.0 * math.exp(-t / 0.06))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / float(RATE)
        env = min(1.0, t / 0.004) * math.exp(-t / 0.16)
        f = 32.0 + 90.0 * math.exp(-t / 0.08)
        phase += TWO_PI * f / RATE
        boom = math.sin(phase) * min(1.0, t / 0.003) * math.exp(-t / 0.13)
        crack = rng.uniform(-1.0, 1.0) * math.exp(-t / 0.008)
        out.append(2.2 * rumble[i] * env + 0.9 * boom + 0.35 * crack)
    return fade_out(out, 0.06)


def freeze():
    rng = random.Random(3303)
    n = int(0.42 * RATE)
    out = [0.0] * n
    # a falling run of bell-like tones, each with a quiet octave partial
    bells = [3951.0, 3136.0, 2637.0, 2093.0, 1760.0, 1568.0]
    for k, f in enumerate(bells):
        start = int(k * 0.035 * RATE)
        detune = rng.uniform(0.997, 1.003)
        ph = rng.uniform(0.0, TWO_PI)
        for i in range(start, n):
            t = (i - start) / float(RATE)
            env = min(1.0, t / 0.003) * math.exp(-t / 0.09)
            trem = 0.8 + 0.2 * math.sin(TWO_PI * 23.0 * t)
            s = math.sin(ph + TWO_PI * f * detune * t)
            s += 0.25 * math.sin(2.0 * ph + TWO_PI * 2.0 * f * detune * t)
            out[i] += 0.5 * env * trem * s
    # an airy hiss that swells and fades under the bells
    prev = 0.0
    for i in range(n):
        t = i / float(RATE)
        white = rng.uniform(-1.0, 1.0)
        airy = white - prev                               # tilted to the top
        prev = white
        env = math.sin(math.pi * min(1.0, t / 0.36)) ** 2
        out[i] += 0.07 * airy * env
    return fade_out(out, 0.05)


# ------------------------------------------------------------ music

NOTE_INDEX = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5,
              "F#": 6, "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10,
              "Bb": 10, "B": 11}


def freq(name):
    """'A4' -> 440 Hz; sharps and flats allowed ('F#3', 'Bb2')."""
    pitch, octave = name[:-1], int(name[-1])
    midi = 12 * (octave + 1) + NOTE_INDEX[pitch]
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def wavetable(harmonics, size=2048):
    tab = [0.0] * size
    for k, amp in harmonics:
        for i in range(size):
            tab[i] += amp * math.sin(TWO_PI * k * i / size)
    top = max(abs(v) for v in tab)
    return [v / top for v in tab]


# band-limited single cycles (few harmonics keep them soft and free of aliasing)
TRIANGLE = wavetable([(k, (1.0 / (k * k)) * (1 if (k // 2) % 2 == 0 else -1))
                      for k in range(1, 12, 2)])
SOFT_SQUARE = wavetable([(k, 1.0 / k) for k in range(1, 10, 2)])
PULSE = wavetable([(k, math.sin(math.pi * k * 0.25) / k) for k in range(1, 9)])
SINE = wavetable([(1, 1.0)])


class Track:
    """A ring buffer of a whole number of bars that notes are mixed into."""

    def __init__(self, bpm, bars, beats_per_bar=4):
        self.beat = 60.0 / bpm
        self.length = int(round(bars * beats_per_bar * self.beat * RATE))
        self.buf = [0.0] * self.length

    def at(self, beat):
        return int(round(beat * self.beat * RATE))

    def note(self, start_beat, beats, pitch, table, amp, attack=0.01, decay=0.1,
             sustain=0.7, release=0.15, vibrato=0.0):
        """Mix one note; its release rings on after `beats` and wraps."""
        f = freq(pitch) if isinstance(pitch, str) else pitch
        held = beats * self.beat
        total = held + release
        start = self.at(start_beat)
        size = len(table)
        phase = 0.0
        n = int(total * RATE)
        buf, length = self.buf, self.length
        for i in range(n):
            t = i / float(RATE)
            if t < attack:
                env = t / attack
            elif t < attack + decay:
                env = 1.0 - (1.0 - sustain) * (t - attack) / decay
            else:
                env = sustain
            if t > held:
                env *= max(0.0, 1.0 - (t - held) / release)
            fm = f
            if vibrato:
                fm *= 1.0 + vibrato * math.sin(TWO_PI * 5.2 * t) * min(1.0, t / 0.3)
            phase += fm * size / RATE
            buf[(start + i) % length] += amp * env * table[int(phase) % size]

    def kick(self, start_beat, amp):
        start = self.at(start_beat)
        n = int(0.18 * RATE)
        phase = 0.0
        for i in range(n):
            t = i / float(RATE)
            f = 45.0 + 80.0 * math.exp(-t / 0.03)
            phase += TWO_PI * f / RATE
            self.buf[(start + i) % self.length] += amp * math.sin(phase) * math.exp(-t / 0.06)

    def hat(self, start_beat, amp, rng, length=0.04):
        start = self.at(start_beat)
        n = int(length * RATE)
        prev = 0.0
        for i in range(n):
            t = i / float(RATE)
            white = rng.uniform(-1.0, 1.0)
            self.buf[(start + i) % self.length] += amp * (white - prev) * math.exp(-t / (length / 4))
            prev = white

    def echo(self, delay_beats, feedback, passes=3):
        """A feedback delay on the ring: echoes of the end fall on the start."""
        d = self.at(delay_beats)
        dry = list(self.buf)
        wet = list(dry)
        for _ in range(passes):            # a few rounds settle the ring
            for i in range(self.length):
                wet[i] = dry[i] + feedback * wet[(i - d) % self.length]
        self.buf = wet

    def smooth(self, cutoff):
        """Gentle low-pass over the ring, run twice round so it is seamless."""
        a = 1.0 - math.exp(-TWO_PI * cutoff / RATE)
        y = 0.0
        out = [0.0] * self.length
        for _ in range(2):
            for i, x in enumerate(self.buf):
                y += a * (x - y)
                out[i] = y
        self.buf = out


CHORDS = {
    "Am": ["A3", "C4", "E4"], "F": ["F3", "A3", "C4"], "C": ["C4", "E4", "G4"],
    "G": ["G3", "B3", "D4"], "E": ["E3", "G#3", "B3"], "Em": ["E3", "G3", "B3"],
    "D": ["D3", "F#3", "A3"], "B": ["B2", "D#3", "F#3"],
}
ROOTS = {"Am": "A2", "F": "F2", "C": "C2", "G": "G2", "E": "E2", "Em": "E2",
         "D": "D2", "B": "B1"}


def menu_music():
    """A minor, 100 beats a minute, eight bars: a quiet night on the wall."""
    bars = ["Am", "F", "C", "G", "Am", "F", "G", "E"]
    tr = Track(100, len(bars))
    for b, ch in enumerate(bars):
        base = 4 * b
        for p in CHORDS[ch]:                         # pad
            tr.note(base, 4.0, p, TRIANGLE, 0.10, attack=0.35, decay=0.5,
                    sustain=0.8, release=0.6)
        tr.note(base, 2.0, ROOTS[ch], TRIANGLE, 0.30, attack=0.02, decay=0.4,
                sustain=0.6, release=0.3)            # bass
        tr.note(base + 2, 2.0, ROOTS[ch], TRIANGLE, 0.22, attack=0.02, decay=0.4,
                sustain=0.6, release=0.3)
        tones = CHORDS[ch]
        arp = [tones[0], tones[1], tones[2], tones[1]] * 2
        for k, p in enumerate(arp):                  # soft arpeggio in eighths
            up = p[:-1] + str(int(p[-1]) + 1)
            tr.note(base + 0.5 * k, 0.4, up, PULSE, 0.05, attack=0.005, decay=0.12,
                    sustain=0.3, release=0.1)
    melody = [
        ("A4", 2), ("C5", 1), ("E5", 1),
        ("F5", 1.5), ("E5", 0.5), ("C5", 2),
        ("G4", 1), ("C5", 1), ("E5", 1), ("G5", 1),
        ("F5", 1.5), ("E5", 0.5), ("D5", 2),
        ("E5", 1), ("A5", 1), ("G5", 1), ("E5", 1),
        ("F5", 1), ("E5", 1), ("D5", 1), ("C5", 1),
        ("B4", 1), ("D5", 1), ("G5", 1), ("F5", 1),
        ("E5", 2), ("G#4", 1), ("B4", 1),
    ]
    beat = 0.0
    for p, d in melody:
        tr.note(beat, d * 0.92, p, SOFT_SQUARE, 0.13, attack=0.03, decay=0.2,
                sustain=0.65, release=0.25, vibrato=0.004)
        beat += d
    assert beat == 4 * len(bars)
    tr.echo(0.75, 0.3)
    tr.smooth(5000.0)
    return tr.buf


def background_music():
    """E minor, 124 beats a minute, eight bars: the watch is under attack."""
    bars = ["Em", "C", "G", "D", "Em", "C", "Am", "B"]
    tr = Track(124, len(bars))
    rng = random.Random(4404)
    for b, ch in enumerate(bars):
        base = 4 * b
        for p in CHORDS[ch]:                         # pad, a little lower
            tr.note(base, 4.0, p, TRIANGLE, 0.07, attack=0.2, decay=0.4,
                    sustain=0.7, release=0.4)
        root = ROOTS[ch]
        octave_up = root[:-1] + str(int(root[-1]) + 1)
        for k in range(8):                           # driving eighth-note bass
            p = root if k % 2 == 0 else octave_up
            tr.note(base + 0.5 * k, 0.42, p, SOFT_SQUARE, 0.16, attack=0.004,
                    decay=0.08, sustain=0.5, release=0.05)
        tones = CHORDS[ch]
        arp = [tones[0], tones[1], tones[2], tones[1]] * 4
        for k, p in enumerate(arp):                  # sixteenth arpeggio
            up = p[:-1] + str(int(p[-1]) + 1)
            tr.note(base + 0.25 * k, 0.2, up, PULSE, 0.035, attack=0.003, decay=0.06,
                    sustain=0.2, release=0.05)
        for k in range(4):                           # drums
            if k % 2 == 0:
                tr.kick(base + k, 0.55)
            else:
                tr.hat(base + k, 0.22, rng, length=0.12)   # a soft snare
        for k in range(8):
            tr.hat(base + 0.5 * k, 0.08 if k % 2 else 0.12, rng)
    melody = [
        ("E5", 0.5), ("G5", 0.5), ("B5", 1), ("A5", 0.5), ("G5", 0.5), ("F#5", 1),
        ("G5", 1.5), ("E5", 0.5), ("C5", 2),
        ("D5", 0.5), ("G5", 0.5), ("B5", 1), ("A5", 0.5), ("B5", 0.5), ("D6", 1),
        ("F#5", 1.5), ("A5", 0.5), ("D5", 2),
        ("E5", 0.5), ("G5", 0.5), ("B5", 1), ("C6", 0.5), ("B5", 0.5), ("A5", 1),
        ("G5", 1), ("E5", 1), ("G5", 1), ("C6", 1),
        ("B5", 1), ("A5", 0.5), ("G5", 0.5), ("F#5", 1), ("E5", 1),
        ("D#5", 2), ("F#5", 1), ("B4", 1),
    ]
    beat = 0.0
    for p, d in melody:
        tr.note(beat, d * 0.85, p, SOFT_SQUARE, 0.12, attack=0.01, decay=0.15,
                sustain=0.6, release=0.12, vibrato=0.003)
        beat += d
    assert beat == 4 * len(bars)
    tr.echo(0.75, 0.22)
    tr.smooth(6000.0)
    return tr.buf


def main():
    write_wav("bullet.wav", bullet(), peak=0.8)
    write_wav("Explosion.wav", explosion(), peak=0.9)
    write_wav("Freeze.wav", freeze(), peak=0.7)
    write_wav("Menu.wav", menu_music(), peak=0.7)
    write_wav("Background.wav", background_music(), peak=0.7)


if __name__ == "__main__":
    main()
