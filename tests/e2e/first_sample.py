"""Makes accented stems, and judges what OpenAL Soft's wave writer recorded of a game that played them.

    first_sample.py make OUT.wav SECONDS       a stem with a sharp accent at its first sample and every half second
    first_sample.py judge RECORDING.wav        prints "clean" or what is wrong with the recording's first accents

An accent is 10 ms of a full-level square wave. Every stem the game plays carries the same accents, so the output's
first accent sounds as loud as the second one only when every stem started from its first sample at its volume: a
stem that fades in, starts late or is left out makes the first accent weaker or smeared."""
import struct
import sys

import numpy

RATE = 44100
ACCENT = 441  # 10 ms
LEVEL = 0.25
HALF = RATE // 2


def make(path, seconds):
    samples = numpy.zeros(int(seconds * RATE), dtype=numpy.float64)
    square = LEVEL * numpy.where((numpy.arange(ACCENT) // 8) % 2 == 0, 1.0, -1.0)
    for start in range(0, len(samples) - ACCENT, HALF):
        samples[start:start + ACCENT] = square
    pcm = numpy.round(samples * 32767).astype("<i2").tobytes()
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(pcm)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16))
        f.write(b"data" + struct.pack("<I", len(pcm)) + pcm)


def read_float_wave(path):
    """The frames of a 32-bit float RIFF file, mixed to mono, and its rate. The writer fixes the chunk sizes only
    when it closes the file, so a data chunk that claims nothing (or too much) runs to the end of the file."""
    data = open(path, "rb").read()
    position, rate, channels, frames = 12, 0, 0, None
    while position + 8 <= len(data):
        kind, size = data[position:position + 4], struct.unpack("<I", data[position + 4:position + 8])[0]
        body = position + 8
        if kind == b"fmt ":
            _, channels, rate = struct.unpack("<HHI", data[body:body + 8])
        elif kind == b"data":
            end = len(data) if size == 0 or body + size > len(data) else body + size
            raw = data[body:end]
            raw = raw[:len(raw) // (4 * channels) * 4 * channels]
            frames = numpy.frombuffer(raw, dtype="<f4").reshape(-1, channels).mean(axis=1)
            break
        position = body + size + (size & 1)
    if frames is None or rate == 0:
        raise ValueError(path + ": no float wave data")
    return frames, rate


def judge(path):
    frames, rate = read_float_wave(path)
    if rate != RATE:
        return f"the output runs at {rate} Hz, not {RATE}"
    loud = numpy.flatnonzero(numpy.abs(frames) > 0.02)
    if len(loud) == 0:
        return "the output is silent"
    first = int(loud[0])
    after = loud[loud > first + ACCENT + 100]
    if len(after) == 0:
        return f"no second accent after the first at frame {first}"
    second = int(after[0])
    if abs(second - first - HALF) > 2:
        return f"the second accent comes {(second - first) / rate * 1000:.2f} ms after the first, not 500 ms"
    # The opening 64 frames of each accent: a fade-in over a mixing period leaves the first one far weaker.
    opening = numpy.abs(frames[first:first + 64]).max()
    reference = numpy.abs(frames[second:second + 64]).max()
    whole = numpy.sqrt(numpy.mean(frames[first:first + ACCENT] ** 2))
    whole_reference = numpy.sqrt(numpy.mean(frames[second:second + ACCENT] ** 2))
    if opening < 0.9 * reference or whole < 0.9 * whole_reference:
        return (f"the first accent is weak: its opening peaks at {opening:.3f} and its level is {whole:.3f}, "
                f"against {reference:.3f} and {whole_reference:.3f} for the second")
    return "clean"


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], float(sys.argv[3]))
    else:
        print(judge(sys.argv[2]))
