#!/usr/bin/env python3
"""Writes the five sound cues as RIFF/WAVE files, byte for byte the same on every run.

    python3 resources/tools/make_sounds.py resources/sounds

The sizes of the files and their data chunks are those of resources/sound_table.h.

Each cue is synthesised from shaped tones (raised-cosine attacks, exponential
decays), given a room with a small reverberator, faded to nothing over its last
fraction of a second and quantised to 8-bit unsigned with a gentle dither that
follows the fades, so every file starts and ends on the mid-level sample.
"""

import math
import os
import re
import struct
import sys

RATE = 22050
PEAK = 0.84  # of full scale: loud enough, never clipped

NAMES = {1: "Guess blip", 2: "New round jingle", 3: "Game over", 4: "Cheat warble", 5: "Right answer fanfare"}
TOOL = "Kelvaro sound maker"


def sound_table():
    """id: (file size, samples in the data chunk, whether an "acid" chunk follows),
    as the rows of resources/sound_table.h give them."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound_table.h")
    with open(path) as header:
        rows = re.findall(r"\{(\d+), (\d+), (\d+), (true|false)\}", header.read())
    return {int(id): (int(size), int(samples), acid == "true") for id, size, samples, acid in rows}


CUES = sound_table()


def note(name):
    """Frequency of a note such as 'C5' or 'F#4' (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semitone = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semitone += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semitone -= 1
        rest = rest[1:]
    return 440.0 * 2.0 ** ((semitone + 12 * (int(rest) - 4)) / 12.0)


def add_tone(out, start, length, freq, level, partials, attack=0.01, decay=1.0,
             release=0.05, vibrato=(0.0, 0.0), glide=0.0):
    """Adds one shaped tone to `out`.

    partials: relative levels of the harmonics; decay: time constant in seconds
    after the attack; release: raised-cosine fade at the end of `length`;
    vibrato: (rate in Hz, depth in semitones); glide: semitones per second.
    """
    first = int(start * RATE)
    count = min(int(length * RATE), len(out) - first)
    attack_n = max(1, int(attack * RATE))
    release_n = max(1, int(release * RATE))
    vib_rate, vib_depth = vibrato
    phase = 0.0
    for i in range(count):
        t = i / RATE
        if i < attack_n:
            env = 0.5 - 0.5 * math.cos(math.pi * i / attack_n)
        else:
            env = math.exp(-(t - attack) / decay)
        left = count - i
        if left < release_n:
            env *= 0.5 - 0.5 * math.cos(math.pi * left / release_n)
        semis = glide * t
        if vib_depth:
            # vibrato fades in so held notes bloom rather than wobble at once
            semis += vib_depth * min(1.0, t / 0.25) * math.sin(2 * math.pi * vib_rate * t)
        phase += 2 * math.pi * freq * 2.0 ** (semis / 12.0) / RATE
        value = 0.0
        for n, amp in enumerate(partials, start=1):
            if amp and freq * n < RATE * 0.45:
                value += amp * math.sin(n * phase)
        out[first + i] += level * env * value


def reverb(signal, wet, room=1.0):
    """A small Schroeder reverberator: four damped combs, two all-passes."""
    combs = [(1116, 0.84), (1188, 0.83), (1277, 0.82), (1356, 0.81)]
    result = [0.0] * len(signal)
    for delay, feedback in combs:
        delay = int(delay * room)
        line = [0.0] * delay
        low = 0.0
        pos = 0
        for i, x in enumerate(signal):
            y = line[pos]
            low = y * 0.6 + low * 0.4
            line[pos] = x + low * feedback
            pos = (pos + 1) % delay
            result[i] += y * 0.25
    for delay in (225, 341):
        line = [0.0] * delay
        pos = 0
        for i, x in enumerate(result):
            buffered = line[pos]
            y = buffered - x
            line[pos] = x + buffered * 0.5
            pos = (pos + 1) % delay
            result[i] = y
    return [d + wet * r for d, r in zip(signal, result)]


def echo(signal, delay, feedback, damping=0.5):
    line_n = int(delay * RATE)
    out = list(signal)
    low = 0.0
    for i in range(line_n, len(out)):
        low = low * damping + out[i - line_n] * (1 - damping)
        out[i] += low * feedback
    return out


def guess_blip(n):
    s = [0.0] * n
    # a bright upward chirp and a bell that rings after it
    add_tone(s, 0.0, 0.09, note("A5"), 0.5, [1, 0, 0.3, 0, 0.15], attack=0.004,
             decay=0.05, release=0.02, glide=60)
    add_tone(s, 0.03, 3.5, note("E6"), 0.35, [1, 0.2, 0.08], attack=0.004, decay=0.55)
    add_tone(s, 0.03, 3.5, note("E6") * 2.76, 0.08, [1], attack=0.004, decay=0.2)
    add_tone(s, 0.03, 3.5, note("E5"), 0.12, [1, 0.1], attack=0.01, decay=1.2)
    s = echo(s, 0.27, 0.55, damping=0.55)
    return reverb(s, 0.35)


def new_round_jingle(n):
    s = [0.0] * n
    bright = [1, 0.45, 0.25, 0.12, 0.06]
    for k, name in enumerate(["C5", "E5", "G5", "C6", "E6"]):
        add_tone(s, 0.11 * k, 0.5, note(name), 0.32, bright, attack=0.006, decay=0.18, release=0.1)
    for name, level in (("C5", 0.18), ("G5", 0.16), ("C6", 0.16), ("E6", 0.12)):
        add_tone(s, 0.6, 3.6, note(name), level, [1, 0.3, 0.1], attack=0.03, decay=1.1,
                 vibrato=(5.5, 0.08))
    s = echo(s, 0.22, 0.3)
    return reverb(s, 0.45)


def game_over(n):
    s = [0.0] * n
    horn = [1, 0.7, 0.5, 0.35, 0.22, 0.14, 0.08]
    for k, name in enumerate(["G4", "F#4", "F4"]):
        add_tone(s, 0.5 * k, 0.48, note(name), 0.42, horn, attack=0.04, decay=1.5, release=0.08)
    # the last note droops and wobbles, then sinks away
    add_tone(s, 1.5, 4.7, note("E4"), 0.45, horn, attack=0.05, decay=1.6,
             vibrato=(4.5, 0.35), glide=-0.25, release=0.6)
    add_tone(s, 1.5, 4.7, note("E3"), 0.16, [1, 0.4], attack=0.08, decay=1.8, release=0.6)
    return reverb(s, 0.5, room=1.2)


def cheat_warble(n):
    s = [0.0] * n
    length = n / RATE
    # a sly tone whose pitch wobbles fast and slides down while it fades
    add_tone(s, 0.0, length, note("A5"), 0.42, [1, 0, 0.25, 0, 0.1], attack=0.02,
             decay=1.3, vibrato=(9.0, 1.6), glide=-2.0, release=0.3)
    add_tone(s, 0.0, length, note("E5"), 0.18, [1, 0.3], attack=0.05, decay=1.6,
             vibrato=(6.0, 0.9), glide=-1.5, release=0.3)
    return reverb(s, 0.3)


def right_answer_fanfare(n):
    s = [0.0] * n
    brass = [1, 0.8, 0.6, 0.45, 0.3, 0.2, 0.12, 0.07]
    for k, name in enumerate(["G4", "G4", "G4"]):
        add_tone(s, 0.12 * k, 0.1, note(name), 0.35, brass, attack=0.012, decay=0.5, release=0.03)
    add_tone(s, 0.36, 0.26, note("C5"), 0.38, brass, attack=0.015, decay=0.8, release=0.04)
    add_tone(s, 0.62, 0.14, note("G4"), 0.33, brass, attack=0.012, decay=0.6, release=0.03)
    for name, level in (("C5", 0.26), ("E5", 0.22), ("G5", 0.22), ("C4", 0.14)):
        add_tone(s, 0.78, 3.7, note(name), level, brass, attack=0.02, decay=1.0,
                 vibrato=(5.0, 0.1), release=0.2)
    return reverb(s, 0.4)


VOICES = {1: guess_blip, 2: new_round_jingle, 3: game_over, 4: cheat_warble, 5: right_answer_fanfare}


def to_unsigned_8bit(signal, seed):
    """Normalises, fades the ends and quantises with triangular dither."""
    n = len(signal)
    fade_in = int(0.004 * RATE)
    fade_out = int(0.25 * RATE)
    gains = []
    for i in range(n):
        gain = 1.0
        if i < fade_in:
            gain = 0.5 - 0.5 * math.cos(math.pi * i / fade_in)
        left = n - 1 - i
        if left < fade_out:
            gain *= 0.5 - 0.5 * math.cos(math.pi * left / fade_out)
        gains.append(gain)
    shaped = [x * g for x, g in zip(signal, gains)]
    scale = PEAK * 127.0 / max(abs(x) for x in shaped)
    state = seed
    out = bytearray(n)
    for i, x in enumerate(shaped):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        a = (state >> 8) / float(1 << 23)
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        b = (state >> 8) / float(1 << 23)
        # the dither fades out more slowly than the sound, so the tail sinks
        # into a soft hush instead of freezing on one level
        level = math.sqrt(gains[i])
        value = round(128.0 + x * scale + (a - b) * level)
        out[i] = max(1, min(254, value))
    return bytes(out)


def chunk(tag, payload):
    pad = b"\0" if len(payload) % 2 else b""
    return tag + struct.pack("<I", len(payload)) + payload + pad


def info_list(name, size):
    """A LIST/INFO chunk of exactly `size` bytes: the cue's name and the tool
    that made it, the tool's text padded with zeros to fill the size."""
    body = b"INFO" + chunk(b"INAM", name.encode("ascii") + b"\0")
    room = size - 8 - len(body) - 8
    tool = TOOL.encode("ascii") + b"\0"
    assert room >= len(tool) and room % 2 == 0, (name, room)
    body += b"ISFT" + struct.pack("<I", room) + tool + b"\0" * (room - len(tool))
    return chunk(b"LIST", body)


def acid():
    # one-shot, root note E6, 4/4, 120 beats per minute
    return chunk(b"acid", struct.pack("<IHHfIHHf", 1, 88, 0x8000, 0.0, 0, 4, 4, 120.0))


def wave_file(cue):
    file_size, samples, with_acid = CUES[cue]
    name = NAMES[cue]
    data = to_unsigned_8bit(VOICES[cue](samples), seed=cue)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
    tail = acid() if with_acid else b""
    head = chunk(b"fmt ", fmt) + chunk(b"data", data)
    rest_size = file_size - 12 - len(head) - len(tail)
    body = b"WAVE" + head + info_list(name, rest_size) + tail
    image = b"RIFF" + struct.pack("<I", len(body)) + body
    assert len(image) == file_size, (cue, len(image))
    return image


def main():
    folder = sys.argv[1]
    assert sorted(CUES) == sorted(NAMES), CUES
    for cue in CUES:
        with open(os.path.join(folder, "cue%d.wav" % cue), "wb") as f:
            f.write(wave_file(cue))


if __name__ == "__main__":
    main()
