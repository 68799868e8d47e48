#!/usr/bin/python3
"""Plays the real game and watches it: its sound through OpenAL Soft's wave writer, its picture through grabs of
the X screen, its keys sent through the XTest extension (as xdotool sends them).

Usage: gamewatch.py SCENE EXECUTABLE BUILD_DIR WORK_DIR, with SCENE one of: music, escape, world, beats (which needs BEAT_TRACE_LIBRARY, the tracer beat_timing.sh builds).
Prints "ok: ...", "FAIL: ..." and "measured: ..." lines; the exit status is 1 when a check failed.
With GAMEWATCH_KEEP=folder the world scene keeps the grabs it judged, as PNG files.

The clock of the scenes is the music itself. The wave writer mixes in real time, one period of 1024 frames at a
time, and writes each period to the file as soon as it is mixed (the file grows by whole periods); the game reads
its music position from the same mixer (the playing offset advances as the mixer consumes the stem). So the
number of frames in the growing file, less the frames before the base stem starts in it (the lead, found by
correlating the recording with the stem), is the music position the game sees. The scenes press keys at chosen
music positions and bracket each grab between two readings of it, so what they check does not depend on how
fast the machine runs the game; only a watcher held up for long (a very busy machine) fails, and says so.
"""

import ctypes
import os
import struct
import subprocess
import sys
import time
import wave

import numpy as np
from PIL import ImageGrab

import checks
from checks import check, fail, measured

BASE_STEM = "resources/sounds/music_base.wav"
TOP_STEM = "resources/sounds/music_top.wav"
BOTTOM_STEM = "resources/sounds/music_bottom.wav"
STEM_SECONDS = 14.0
CANVAS_W, CANVAS_H = 300, 200
SCALE = 3
STARTS = [(50, 50), (250, 50), (50, 150), (250, 150)]

# The player's two large light colours (tools/art/player.txt, 'w' and 's'); nothing else in the picture has them.
PLAYER_LIGHT = [(0xF8, 0xF4, 0xEC), (0xD8, 0xD0, 0xE6)]
MOVE_TINT = (255, 100, 100)
# A pause between grabs: the X server that serves a grab also takes the game's frames.
GRAB_REST = 0.01
# Drawing may round a channel (a tint multiplies; the presentation draws a flicker of alpha 0 or 1 over the canvas).
COLOUR_SLACK = 3

games = []  # every game started, to be stopped if a scene leaves it running


# ---------------------------------------------------------------------------------------------------------------
# Sound


def read_stem(path):
    """A music stem as mono float samples and its rate."""
    with wave.open(path, "rb") as stem:
        if stem.getsampwidth() != 2:
            raise RuntimeError(path + ": expected 16-bit samples")
        rate = stem.getframerate()
        channels = stem.getnchannels()
        data = np.frombuffer(stem.readframes(stem.getnframes()), dtype="<i2").astype(np.float32) / 32768.0
    return data.reshape(-1, channels).mean(axis=1), rate


class Recording:
    """OpenAL Soft's wave output: a RIFF file of 32-bit float frames, read while it grows or once it is closed.

    The writer puts placeholder sizes in the header until the device closes, so a growing file is measured by
    its size on disk and a closed one by its data chunk."""

    def __init__(self, path):
        self.path = path
        self.layout = None

    def _read_layout(self):
        try:
            with open(self.path, "rb") as f:
                head = f.read(4096)
        except OSError:
            return None
        if len(head) < 12 or head[0:4] != b"RIFF" or head[8:12] != b"WAVE":
            return None
        pos = 12
        fmt = None
        while pos + 8 <= len(head):
            chunk = head[pos : pos + 4]
            size = struct.unpack("<I", head[pos + 4 : pos + 8])[0]
            if chunk == b"fmt " and pos + 24 <= len(head):
                tag, channels, rate, _, align, bits = struct.unpack("<HHIIHH", head[pos + 8 : pos + 24])
                if tag == 0xFFFE and pos + 34 <= len(head):
                    tag = struct.unpack("<H", head[pos + 32 : pos + 34])[0]
                fmt = (tag, channels, rate, align, bits)
            elif chunk == b"data" and fmt is not None:
                tag, channels, rate, align, bits = fmt
                if tag != 3 or bits != 32:
                    raise RuntimeError(f"{self.path}: expected 32-bit float frames, found format {tag}, {bits} bits")
                return {"offset": pos + 8, "declared": size, "channels": channels, "rate": rate, "align": align}
            pos += 8 + size + (size & 1)
        return None

    def ready(self):
        if self.layout is None:
            self.layout = self._read_layout()
        return self.layout is not None

    @property
    def rate(self):
        return self.layout["rate"]

    def live_frames(self):
        """Whole frames on disk now (0 before the header is there)."""
        if not self.ready():
            return 0
        try:
            size = os.path.getsize(self.path)
        except OSError:
            return 0
        return max(0, size - self.layout["offset"]) // self.layout["align"]

    def closed_frames(self):
        """Frames declared by the finished file's header, which must agree with its size."""
        self.layout = self._read_layout()
        if self.layout is None:
            raise RuntimeError(self.path + ": no wave header")
        on_disk = (os.path.getsize(self.path) - self.layout["offset"]) // self.layout["align"]
        declared = self.layout["declared"] // self.layout["align"]
        if declared != on_disk:
            raise RuntimeError(f"{self.path}: header declares {declared} frames, the file holds {on_disk}")
        return declared

    def mono(self, frames=None):
        """The recording (or its first frames) as mono samples."""
        layout = self.layout
        count = self.live_frames() if frames is None else frames
        data = np.fromfile(self.path, dtype="<f4", count=count * layout["channels"], offset=layout["offset"])
        whole = len(data) // layout["channels"]
        return data[: whole * layout["channels"]].reshape(-1, layout["channels"]).mean(axis=1)


def find_lag(recording, stem, max_lag):
    """Where the stem starts in the recording, in frames, by cross-correlation over the first lags up to max_lag;
    and how alike the two are there (normalised correlation, 1 for the stem alone)."""
    n = min(len(stem), len(recording) - max_lag)
    if n <= 0:
        raise RuntimeError("recording too short to find the stem in it")
    template = stem[:n]
    size = 1 << int(np.ceil(np.log2(n + max_lag + n)))
    spectrum = np.fft.rfft(recording[: n + max_lag], size) * np.conj(np.fft.rfft(template, size))
    correlation = np.fft.irfft(spectrum, size)[: max_lag + 1]
    lag = int(np.argmax(correlation))
    window = recording[lag : lag + n]
    likeness = float(np.dot(window, template) / (np.linalg.norm(window) * np.linalg.norm(template) + 1e-12))
    return lag, likeness


class MusicClock:
    """The music position the game sees, read from the growing recording."""

    def __init__(self, recording, base_stem, rate):
        self.recording = recording
        self.base = base_stem
        self.rate = rate
        self.lead = None
        self.samples = []  # (monotonic time, frames on disk), to find when the recording reached a length

    def frames(self):
        frames = self.recording.live_frames()
        if not self.samples or self.samples[-1][1] != frames:
            self.samples.append((time.monotonic(), frames))
        return frames

    def calibrate(self, game, timeout=20.0):
        """Waits for 1.5 s of recording and finds where the base stem starts in it."""
        deadline = time.monotonic() + timeout
        while self.frames() < int(1.5 * self.rate):
            if game.poll() is not None or time.monotonic() > deadline:
                return False
            time.sleep(0.005)
        recorded = self.recording.mono(int(1.5 * self.rate))
        self.lead, likeness = find_lag(recorded, self.base[: int(0.5 * self.rate)], int(1.0 * self.rate))
        if likeness < 0.3:
            raise RuntimeError(f"the base stem is not in the recording (likeness {likeness:.2f})")
        return True

    def position(self):
        return (self.frames() - self.lead) / self.rate

    def wait_until(self, seconds, game):
        while self.position() < seconds:
            if game.poll() is not None:
                raise RuntimeError(f"the game ended before the music reached {seconds:.2f} s")
            time.sleep(0.002)

    def time_reached(self, seconds):
        """The monotonic time at which the recording was first seen at or past a music position."""
        frames = self.lead + seconds * self.rate
        return next(t for t, f in self.samples if f >= frames)

    def press_before_beat(self, game, earliest, press):
        """Calls `press` (which sends a key) at the first moment from `earliest` on that lies 0.27 to 0.30 s past
        a whole or half second of the music, and gives the music positions read just before and just after the
        call, and the half second that follows.

        Commands wait for the pulse the beat clock starts at the first frame that sees a new quarter second, and
        a command posted during a pulse is released by it. A game held up for a while (a busy machine) sees the
        half second late and starts its pulse late, and a key pressed then would be acted on at once, rightly.
        In the second quarter of the half second, the game's next beat clock update already sees that quarter
        (the recording never runs ahead of the game's own music position), whose pulse does not release the
        game's commands: so a key then waits for the half second whatever the frames do."""
        self.wait_until(earliest, game)
        deadline = earliest + 3.0
        while True:
            before = self.position()
            if 0.27 <= before % 0.5 <= 0.30:
                press()
                after = self.position()
                beat = np.floor(before * 2) / 2 + 0.5
                if after <= beat - 0.15:
                    return before, after, beat
                raise RuntimeError(f"the watcher is too slow: a key took from {before:.3f} s to {after:.3f} s")
            if before > deadline or game.poll() is not None:
                raise RuntimeError(f"the watcher found no moment to press a key after {earliest:.2f} s")
            time.sleep(0.002)


# ---------------------------------------------------------------------------------------------------------------
# The game, its window and its picture


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10).stdout.strip()


class Keyboard:
    """Key presses through the XTest extension, as xdotool sends them, but from a connection kept open: starting
    a process per key can take a few hundred milliseconds on a busy machine, and the keys must fall at chosen
    moments of the music."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display to send keys")
        self.held = set()

    def _send(self, name, down):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        if code == 0:
            raise RuntimeError("no key code for " + name)
        self.xtst.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        self.x11.XSync(self.display, 0)

    def down(self, name):
        self._send(name, True)
        self.held.add(name)

    def up(self, name):
        self._send(name, False)
        self.held.discard(name)

    def tap(self, name):
        self.down(name)
        self.up(name)

    def release_all(self):
        for name in list(self.held):
            self.up(name)


class Game:
    def __init__(self, exe, build, work, name, args=()):
        self.wav = os.path.join(work, name + ".wav")
        if os.path.exists(self.wav):
            os.remove(self.wav)  # a recording left from another run would be taken for this one's
        conf = os.path.join(work, name + ".alsoft.conf")
        with open(conf, "w") as f:
            f.write(f"[general]\ndrivers=wave\n[wave]\nfile={self.wav}\n")
        env = dict(os.environ, ALSOFT_CONF=conf)
        env.pop("ALSOFT_DRIVERS", None)
        self.trace = None
        if os.environ.get("BEAT_TRACE_LIBRARY"):
            self.trace = os.path.join(work, name + ".trace")
            env.update(LD_PRELOAD=os.environ["BEAT_TRACE_LIBRARY"], BEAT_TRACE=self.trace)
        self.log_path = os.path.join(work, name + ".log")
        self.log = open(self.log_path, "w")
        self.process = subprocess.Popen([exe, *args], cwd=build, env=env, stdout=self.log, stderr=subprocess.STDOUT)
        games.append(self)
        self.exit_time = None
        self.window = None
        self.origin = None
        self.keys = None

    def poll(self):
        status = self.process.poll()
        if status is not None and self.exit_time is None:
            self.exit_time = time.monotonic()
        return status

    def wait(self, timeout, clock=None):
        """Waits for the exit, noting its time to within a few milliseconds; None if it did not come."""
        deadline = time.monotonic() + timeout
        while self.poll() is None:
            if time.monotonic() > deadline:
                return None
            if clock is not None and clock.lead is not None:
                clock.frames()
            time.sleep(0.002)
        return self.process.returncode

    def stop(self):
        if self.keys is not None:
            self.keys.release_all()
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def output(self):
        self.log.flush()
        with open(self.log_path) as f:
            return f.read().strip()

    def find_window(self, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and self.poll() is None:
            found = xdotool("search", "--onlyvisible", "--name", "^Brindlewick$").split()
            if found:
                self.window = found[0]
                geometry = xdotool("getwindowgeometry", "--shell", self.window)
                values = dict(line.split("=", 1) for line in geometry.splitlines() if "=" in line)
                self.origin = (int(values["X"]), int(values["Y"]))
                self.size = (int(values["WIDTH"]), int(values["HEIGHT"]))
                return True
            time.sleep(0.1)
        return False

    def focus(self):
        xdotool("windowfocus", "--sync", self.window)
        self.keys = Keyboard()

    def grab(self):
        """The window's picture, as an array of 600 rows of 900 RGB pixels."""
        x, y = self.origin
        w, h = self.size
        image = ImageGrab.grab(bbox=(x, y, x + w, y + h), xdisplay=os.environ.get("DISPLAY"))
        return np.asarray(image.convert("RGB"))


class Shot:
    """A grab with the music positions read just before and just after it."""

    def __init__(self, picture, start, end):
        self.picture = picture
        self.start = start
        self.end = end
        self.canvas = picture[1::SCALE, 1::SCALE].astype(np.int16)


def grab_between(game, clock, first, last):
    """Grabs the window again and again from music position `first` on, keeping the grabs that ended by music
    position `last`. A grab that ends by the music position of a beat was taken before the game saw that beat."""
    clock.wait_until(first, game)
    shots = []
    deadline = time.monotonic() + (last - first) + 1.0  # the mixer may stall on a busy machine
    while time.monotonic() < deadline:
        start = clock.position()
        picture = game.grab()
        end = clock.position()
        if end > last:
            break
        shots.append(Shot(picture, start, end))
        time.sleep(GRAB_REST)
    return shots


def grab_after_beat(game, clock, beat, first, last):
    """Grabs the window from `first` to `last` seconds of real time after the recording reached `beat`.

    What the game does after a beat runs on its frame time, that is in real time; and the game sees the beat
    when the mixer passes it, which is when the recording grows past it. On a busy machine the mixer can stall
    and then catch up in a burst, so music positions after the beat would not measure the time since it."""
    clock.wait_until(beat, game)
    seen = clock.time_reached(beat)
    while time.monotonic() < seen + first:
        time.sleep(0.002)
    shots = []
    while True:
        start = clock.position()
        picture = game.grab()
        if time.monotonic() > seen + last:
            return shots
        shots.append(Shot(picture, start, clock.position()))
        time.sleep(GRAB_REST)


def sharp_fraction(picture):
    """The share of the window's 3x3 blocks whose nine pixels are one colour."""
    h, w, _ = picture.shape
    blocks = picture[: h - h % SCALE, : w - w % SCALE].reshape(h // SCALE, SCALE, w // SCALE, SCALE, 3)
    same = (blocks == blocks[:, 1:2, :, 1:2, :]).all(axis=(1, 3, 4))
    return float(same.mean())


def colour_mask(canvas, colours):
    mask = np.zeros(canvas.shape[:2], dtype=bool)
    for colour in colours:
        mask |= (np.abs(canvas - np.array(colour)) <= COLOUR_SLACK).all(axis=2)
    return mask


def tinted(colour):
    return tuple(c * t // 255 for c, t in zip(colour, MOVE_TINT))


class PlayerShape:
    """Where the player's light pixels can be, from its texture (resources/images/player.PNG) and its origin at
    the texture's centre. Baseballers fly in front of the player and may hide any part of it, so the player is
    placed by what its visible pixels rule out, never by their centroid, which a baseballer would pull aside."""

    def __init__(self, build):
        from PIL import Image

        texture = np.asarray(Image.open(os.path.join(build, "resources/images/player.PNG")).convert("RGBA"))
        texture = texture.astype(np.int16)
        light = colour_mask(texture[..., :3], PLAYER_LIGHT) & (texture[..., 3] == 255)
        h, w = light.shape
        self.origin = (w // 2, h // 2)
        ys, xs = np.nonzero(light)
        self.texels = list(zip(xs.tolist(), ys.tolist()))
        # However the sprite turns about its origin, a pixel is drawn light only if its centre falls in a light
        # texel: within this distance of the origin (the farthest corner of a light texel).
        self.reach = max(np.hypot(max(abs(x - self.origin[0]), abs(x + 1 - self.origin[0])),
                                  max(abs(y - self.origin[1]), abs(y + 1 - self.origin[1]))) for x, y in self.texels)

    def upright_at(self, point):
        """The canvas pixels the light texels cover at full size, unturned, at a whole-pixel position."""
        return {(point[0] - self.origin[0] + x, point[1] - self.origin[1] + y) for x, y in self.texels}

    def box_at(self, point, slack=1):
        """The bounds (x0, x1, y0, y1) of upright_at(point) widened by slack: scaling down about the origin, as the
        crouch does, keeps the light pixels inside them."""
        xs = [x for x, _ in self.upright_at(point)]
        ys = [y for _, y in self.upright_at(point)]
        return min(xs) - slack, max(xs) + slack, min(ys) - slack, max(ys) + slack

    def place(self, pixels):
        """The positions the player can have for these visible light pixels at full size, turned any way: the
        points within reach of every pixel's centre. Gives their mean and how far they spread in x and y."""
        centres = np.array(pixels, dtype=np.float64) + 0.5
        middle = centres.mean(axis=0)
        step = np.arange(-self.reach - 1, self.reach + 1.01, 0.25)
        gx, gy = np.meshgrid(middle[0] + step, middle[1] + step)
        points = np.stack([gx.ravel(), gy.ravel()], axis=1)
        far = np.zeros(len(points))
        for c in centres:
            far = np.maximum(far, np.hypot(points[:, 0] - c[0], points[:, 1] - c[1]))
        fits = points[far <= self.reach + 0.25]
        if len(fits) == 0:
            return (float(middle[0]), float(middle[1])), (np.inf, np.inf)
        spread = (fits.max(axis=0) - fits.min(axis=0)) / 2
        return (float(fits[:, 0].mean()), float(fits[:, 1].mean())), (float(spread[0]), float(spread[1]))


def light_pixels(canvas, tint=False):
    colours = [tinted(c) for c in PLAYER_LIGHT] if tint else PLAYER_LIGHT
    ys, xs = np.nonzero(colour_mask(canvas, colours))
    return list(zip(xs.tolist(), ys.tolist()))


def luminance(canvas):
    return canvas[..., 0] * 0.299 + canvas[..., 1] * 0.587 + canvas[..., 2] * 0.114


def ring(centre, inner, outer):
    ys, xs = np.mgrid[0:CANVAS_H, 0:CANVAS_W]
    d = np.hypot(xs + 0.5 - centre[0], ys + 0.5 - centre[1])
    return (d >= inner) & (d <= outer)


# ---------------------------------------------------------------------------------------------------------------
# Scenes


def start_game(exe, build, work, name, args=()):
    base, rate = read_stem(os.path.join(build, BASE_STEM))
    game = Game(exe, build, work, name, args)
    recording = Recording(game.wav)
    clock = MusicClock(recording, base, rate)
    if not game.find_window():
        raise RuntimeError("the game's window did not appear: " + game.output())
    # Keys go to the focused window. Focusing can take a while on a busy machine, like the first grab, which sets
    # up the connection: both are done before the music is timed.
    game.focus()
    game.grab()
    if not clock.calibrate(game):
        raise RuntimeError("no recording of the music appeared: " + game.output())
    measured(f"the base stem starts {clock.lead} frames ({1000 * clock.lead / rate:.1f} ms) into the recording")
    return game, recording, clock, base, rate


def scene_music(exe, build, work):
    """The game plays its music to the end and exits 0 on its own, soon after the music."""
    game, recording, clock, base, rate = start_game(exe, build, work, "music")
    status = game.wait(STEM_SECONDS + 20, clock)
    if status is None:
        game.stop()
        fail("the game was still running 20 s after its music")
        return
    check(status == 0, f"exit status {status} at the end of the music" + ("" if status == 0 else ": " + game.output()))

    frames = recording.closed_frames()
    music = recording.mono(frames)
    length = frames / rate
    lead = clock.lead / rate
    played = length - lead
    measured(f"recording {frames} frames = {length:.4f} s; music in it {played:.4f} s; stem {STEM_SECONDS:.4f} s")
    # The audio device opens as the sounds load, just before the stems start: measured 1 to 47 ms before the
    # music. 0.5 s allows for a slow start on a busy machine.
    check(STEM_SECONDS <= length <= STEM_SECONDS + 0.5,
          f"the recording is as long as the music and its start-up ({length:.3f} s, the music starts at {lead:.3f} s)")
    # The game ends in the frame after the base stem stops, and the device closes as the game shuts down: both come
    # within a frame and a mixing period (23 ms) or two of the music's end. 0.2 s is far above that and far below a
    # half-second beat, so a game that ends a beat early or lingers a beat late fails. (2 ms below the stem's
    # length allows for the limiter's 1 ms delay of the music in the recording, which the lead includes.)
    check(STEM_SECONDS - 0.002 <= played <= STEM_SECONDS + 0.2,
          f"the recording holds the whole music and little more ({played:.3f} s from the stem's start)")

    middle = music[clock.lead + rate : clock.lead + int((STEM_SECONDS - 1) * rate)]
    rms = float(np.sqrt(np.mean(middle.astype(np.float64) ** 2)))
    measured(f"RMS level between 1 s and 13 s of the music: {rms:.4f}")
    check(rms > 0.01, f"the music is heard (RMS {rms:.4f})")
    _, likeness = find_lag(music[: clock.lead + 2 * rate], base[: 2 * rate], clock.lead + 1)
    check(likeness > 0.5, f"what is heard is the base stem with the others (likeness {likeness:.2f})")
    check_stems_together(build, music, clock.lead, rate)

    # When did the music end in real time? The first moment the file held the stem's last frame (or its final
    # length, if the device closed within the limiter's 1 ms delay of it).
    end_frames = min(clock.lead + int(STEM_SECONDS * rate), frames)
    ended = next((t for t, f in clock.samples if f >= end_frames), None)
    if ended is None or game.exit_time is None:
        fail("could not time the music's end against the exit")
        return
    outlived = game.exit_time - ended
    measured(f"the process exited {1000 * outlived:.0f} ms after the music's last frame reached the recording")
    check(outlived <= 1.0, f"the process does not outlive its music by more than a second ({outlived:.3f} s)")


def check_stems_together(build, music, base_lead, rate):
    """The loud one of the top and bottom stems (the other is faded out for the player's half) starts on the same
    sample as the base stem. Started one after the other, stems used to land a mixing period (1024 frames) or more
    apart in about a third of the runs."""
    base, _ = read_stem(os.path.join(build, BASE_STEM))
    # The base stem's part of the recording is taken out first: it shares its bass notes with the other stems,
    # and would pull their correlation peaks a bass period away.
    span = min(2 * rate, len(music) - base_lead - 2048)
    window = music[: base_lead + span].astype(np.float64)
    aligned = np.zeros_like(window)
    aligned[base_lead:] = base[:span]
    rest = window - aligned * (np.dot(window, aligned) / np.dot(aligned, aligned))
    heard = []
    for name, path in (("top", TOP_STEM), ("bottom", BOTTOM_STEM)):
        stem, _ = read_stem(os.path.join(build, path))
        lag, likeness = find_lag(rest, stem[: span - 2048], base_lead + 2048)
        if likeness >= 0.5:
            heard.append(name)
            offset = lag - base_lead
            measured(f"the {name} stem starts {offset:+d} frames from the base stem (likeness {likeness:.2f})")
            # A few frames of slack for the correlation's peak; a start a mixing period apart is 1024 frames.
            check(abs(offset) <= 64, f"the {name} stem sounds in time with the base stem ({offset:+d} frames)")
    check(len(heard) == 1, f"one of the top and bottom stems is heard with the base stem ({', '.join(heard)})")


def scene_escape(exe, build, work):
    """Escape held ends the game on the next whole or half second of the music, not at once."""
    game, recording, clock, base, rate = start_game(exe, build, work, "escape")
    before, after, beat = clock.press_before_beat(game, 2.0, lambda: game.keys.down("Escape"))
    status = game.wait(10, clock)
    game.keys.release_all()
    measured(f"Escape went down between {before:.3f} s and {after:.3f} s of the music")
    check(status == 0, f"exit status {status} after Escape")
    frames = recording.closed_frames()
    music = recording.mono(frames)
    # The music the game played before it ended: the game stops its stems as its main screen ends, and from
    # there on the recording is silent until the audio device closes with the rest of the game (its length says
    # when that was, which on a busy machine can be much later).
    sounding = np.nonzero(music)[0]
    if len(sounding) == 0:
        fail("the recording is silent")
        return
    end = (sounding[-1] + 1 - clock.lead) / rate
    closed = (frames - clock.lead) / rate
    # The half second the game ended on: the first after the key, unless the game's frames were held up so long
    # (a busy machine) that it saw the key only after that one.
    ended_on = beat + 0.5 * np.floor((end - beat) / 0.5)
    residual = end - ended_on
    measured(f"recording {frames} frames; the music stopped at {end:.4f} s, {1000 * residual:+.1f} ms after "
             f"the half second at {ended_on:.1f} s (the first after the key was {beat:.1f} s); the recording "
             f"ends at {closed:.4f} s ({1000 * (closed - ended_on):+.1f} ms)")
    # How far past the half second the music runs: the game releases "close" when the half second is heard, the
    # output latency (47.4 ms here) after it is written; it takes it in the next frame and stops the stems, which
    # the mixer honours at its next period (1024 frames, 23.2 ms). The limiter's 1 ms (44 frames) delay of the
    # music in the recording cancels out: it is in the lead as well. Measured: 53 to 76 ms with a load of 15 on
    # the two cores (when the game read the raw playing offset, 7 to 31 ms on a quiet machine and up to 124 ms
    # with a load of 5 or 6). 0.2 s covers that and stays well short of the 0.5 s between beats; the next check,
    # that the game went on to the half second, is the one that tells an immediate end.
    check(residual <= 0.2, f"the game ended {1000 * residual:.0f} ms after a half second of the music")
    check(end >= beat, f"the game went on until the half second after the key: it ended "
          f"{1000 * (end - after):.0f} ms after the key went down, {1000 * (beat - after):.0f} ms or more before it")
    check_stems_together(build, music, clock.lead, rate)


def scene_world(exe, build, work):
    """A direction key moves the player on the next half second; Shift held opens the love circle on the next."""
    game, recording, clock, base, rate = start_game(exe, build, work, "world")
    shots, key_down, key = play_world(game, clock)
    # Ends the game early (the rest is another scene's business), so the run stays short.
    game.keys.down("Escape")
    status = game.wait(10, clock)
    game.keys.release_all()
    check(status == 0, f"exit status {status} after the world checks")
    judge_world(shots, key_down, key, build, os.environ.get("GAMEWATCH_KEEP"))


def play_world(game, clock):
    """Presses the keys and grabs the window in each phase; judging comes after, so that it cannot delay a key
    or a grab. Every phase is timed from the half second that releases the command."""
    shots = {}
    # Still, before any key: 0.45 s of grabs from wherever the music is once its clock is found.
    now = clock.position()
    shots["still"] = grab_between(game, clock, now, now + 0.45)
    # A dash towards the middle. One over the right edge would wrap, and where it ends would depend on the frame
    # rate: the part of the step beyond x 300 is dropped and the player goes on from x -16, where its centred
    # sprite lies wholly left of the picture, so a short remainder leaves it at rest out of sight.
    seen = max((light_pixels(s.canvas) for s in shots["still"]), key=len, default=[])
    key = "Left" if seen and np.mean([x for x, _ in seen]) > CANVAS_W / 2 else "Right"
    _, pressed, beat = clock.press_before_beat(game, now + 0.45, lambda: game.keys.tap(key))
    # Grabs that end 15 ms before the beat, by the recording, were taken before the game could see the beat.
    shots["move waits"] = grab_between(game, clock, pressed, beat - 0.015)
    # At rest again: a dash runs down from 350 px/s at 800 px/s^2, so it is over 0.44 s after the beat.
    shots["moved"] = grab_after_beat(game, clock, beat, 0.5, 0.95)
    # The love circle, Shift held. It reaches its full 45 px 0.225 s after the beat (40 px, the ring measured, even
    # if the game's frame that sees the beat comes 50 ms late); its white fill fades from alpha 255 by 200 a
    # second, so it is still at 175 or more 0.4 s after the beat.
    _, loved, love_beat = clock.press_before_beat(game, beat + 1.0, lambda: game.keys.down("Shift_L"))
    shots["love waits"] = grab_between(game, clock, loved, love_beat - 0.015)
    shots["loving"] = grab_after_beat(game, clock, love_beat, 0.25, 0.4)
    game.keys.up("Shift_L")
    if love_beat + 0.4 > 10.0:
        raise RuntimeError("the watcher fell behind into the ending, where the title card covers the world")
    return shots, pressed, key


def judge_world(shots, key_down, key, build, keep):
    for phase, taken in shots.items():
        measured(f"{len(taken)} grabs {phase}: " + ", ".join(f"{s.start:.2f}-{s.end:.2f}" for s in taken))
        if not taken:
            fail(f"no grab landed while {phase}: the machine is too busy to watch the game")
            return

    shape = PlayerShape(build)
    still = shots["still"]
    views = [light_pixels(s.canvas) for s in still]
    best = max(range(len(still)), key=lambda i: len(views[i]))
    seen = set().union(*views)
    # The start point whose full-size, unturned sprite covers most of what is seen; everything seen must lie in
    # it, whatever a baseballer hides.
    home = max(STARTS, key=lambda p: len(seen & shape.upright_at(p)))
    stray = seen - shape.upright_at(home)
    measured(f"before any key the best grab shows {len(views[best])} of the player's {len(shape.texels)} light "
             f"pixels; {len(stray)} seen outside its sprite at the start point {home}")
    # 20 pixels: a fifth of the player's light pixels, so that a baseballer may hide the rest.
    if not check(len(views[best]) >= 20, "the player is seen before any key"):
        return
    check(not stray, f"the player stands at the start point {home}, one of the four")
    start = home
    sharp = min(sharp_fraction(s.picture) for s in still)
    measured(f"share of 3x3 blocks of one colour: {sharp:.5f}")
    check(sharp == 1.0, "the window shows the 300x200 picture as sharp 3x3 blocks")
    keep_shot(keep, "1-still", still[best])

    waiting = shots["move waits"]
    tints = [light_pixels(s.canvas, tint=True) for s in waiting]
    plain = [len(light_pixels(s.canvas)) for s in waiting]
    best = max(range(len(waiting)), key=lambda i: len(tints[i]))
    x0, x1, y0, y1 = shape.box_at(start)
    outside = [(x, y) for x, y in set().union(*tints) if not (x0 <= x <= x1 and y0 <= y <= y1)]
    measured(f"while the move waits the grabs show {[len(t) for t in tints]} tinted and {plain} untinted light "
             f"pixels; {len(outside)} tinted ones outside the sprite's bounds at the start point")
    if check(len(tints[best]) >= 8, "the player is tinted while its move waits for the beat"):
        check(not outside, "and it has not moved yet")
        keep_shot(keep, "2-waiting", waiting[best])
    # It crouches to half size within 0.1 s of the tint: its light pixels drop from 96 to about 25. Baseballers
    # can only hide some, so no grab from 0.13 s after the key (time for the game to see the key and crouch, at
    # 30 frames a second or more) may show more than 40.
    crouched = [len(t) for t, s in zip(tints, waiting) if s.start >= key_down + 0.13]
    measured(f"tinted pixels from 0.13 s after the key on: {crouched}")
    if crouched:
        check(max(crouched) <= 40, "the player crouches while its move waits")
    else:
        measured("no grab late enough to see the crouch (a grab can take 0.1 s on a busy machine): not checked")

    moved = shots["moved"]
    views = [light_pixels(s.canvas) for s in moved]
    best = max(range(len(moved)), key=lambda i: len(views[i]))
    if not check(len(views[best]) >= 20, f"the player is seen after the dash ({len(views[best])} light pixels)"):
        return
    # At rest it has its full size again, turned by the dash's spin: placed from the grab that shows most of it.
    end, spread = shape.place(views[best])
    dx, dy = end[0] - start[0], end[1] - start[1]
    travel = dx if key == "Right" else -dx
    measured(f"after the dash the best grab shows {len(views[best])} light pixels, which place the player at "
             f"{fmt(end)} give or take ({spread[0]:.1f}, {spread[1]:.1f}): a dash {key.lower()} of {travel:.1f} px "
             f"(and {dy:+.1f} px down)")
    # A dash covers 350^2/1600 = 76.6 px less about half a frame's step: 73 px at 60 frames a second, 76 px at
    # several hundred (left unpaced), but 59 px at 10 and 47 px at 6, which a game starved by a busy machine
    # can drop to for a moment. 45 to 86 px, with the placing's spread, tells a dash from a stay, a double or an
    # endless slide.
    check(45 - spread[0] <= travel <= 86 + spread[0] and abs(dy) <= 2 + spread[1],
          f"a dash {key.lower()} carries the player about 73 px ({travel:.1f} px)")
    keep_shot(keep, "3-moved", moved[best])

    around = ring(end, 12, 40)
    before = [bright_share(s.canvas, around) for s in moved]
    waits = [bright_share(s.canvas, around) for s in shots["love waits"]]
    loving = [bright_share(s.canvas, around) for s in shots["loving"]]
    measured("share of bright pixels 12 to 40 px around the player: before Shift " + shares(before)
             + "; while the love waits " + shares(waits) + "; after the beat " + shares(loving))
    lit = [float(luminance(s.canvas)[around].mean()) for s in moved + shots["loving"]]
    measured(f"mean luminance there: before Shift {fmt_list(lit[: len(moved)])}, "
             f"after the beat {fmt_list(lit[len(moved) :])}")
    reference = max(before)
    # Bright here means a luminance of 180 or more. The fen is mid-toned (its lightest, the clouds, is 157 and a
    # star 195 on a pixel or two); the HUD's white text and stopwatch face may lie in the ring, the same before
    # and after. Until 0.4 s after the beat the circle's white is at alpha 175 or more, which lifts the darkest
    # ground (66) to 195. Baseballers (black, or red where the love touches them) fly in front and stay dark:
    # the largest covers 900 px^2, a fifth of the ring, and even three of them at once would leave more than a
    # third.
    check(max(waits) <= reference + 0.1, "the circle does not open before the beat")
    check(min(loving) >= reference + 0.35, "the circle opens around the player after the beat")
    keep_shot(keep, "4-love", max(shots["loving"], key=lambda s: bright_share(s.canvas, around)))


def keep_shot(folder, name, shot):
    if folder:
        from PIL import Image

        Image.fromarray(shot.picture.astype(np.uint8)).save(os.path.join(folder, name + ".png"))


def bright_share(canvas, region):
    return float((luminance(canvas)[region] >= 180).mean())


def distance(a, b):
    return float(np.hypot(a[0] - b[0], a[1] - b[1]))


def fmt(point):
    return "nowhere" if point is None else f"({point[0]:.1f}, {point[1]:.1f})"


def fmt_list(values):
    return "[" + ", ".join(f"{v:.0f}" for v in values) + "]"


def shares(values):
    return "[" + ", ".join(f"{v:.2f}" for v in values) + "]"


# The output latency OpenAL Soft reports for its wave writer here (AL_SEC_OFFSET_LATENCY_SOFT): a sample written
# now is heard that much later on a real output.
REPORTED_LATENCY = 0.0474
# One frame at 60 frames a second, in milliseconds.
FRAME_MS = 1000.0 / 60


def scene_beats(exe, build, work, args=(), offset=0.0, name="beats"):
    """Taps a direction key before each half second from 2 s to 13 s of the music and times each dash's frame
    against the heard half second.

    Each period of the recording is written at once; the line through the moments the file grew (the earliest
    reading of each, as it is polled every millisecond) gives each frame of it its own moment, as a sound card would
    play it. A half second is heard at its moment plus the reported latency. The frame that takes a move starts the
    dash sound, and the preloaded tracer notes the monotonic time of that call."""
    game, recording, clock, base, rate = start_game(exe, build, work, name, args)
    if game.trace is None:
        raise RuntimeError("the beats scene needs BEAT_TRACE_LIBRARY")
    keys = ["Left", "Right"]
    beats = []
    for half in range(4, 27):
        earliest = half * 0.5 - 0.23
        if clock.position() > earliest:
            continue
        try:
            _, _, beat = clock.press_before_beat(game, earliest, lambda: game.keys.tap(keys[half % 2]))
        except RuntimeError as error:
            # A key held up on a busy machine may be taken on a later beat: that half second is not timed.
            measured(f"half second {half * 0.5:.1f} s not timed: {error}")
            if game.poll() is not None:
                break
            continue
        beats.append(beat)
        deadline = time.monotonic() + 0.1
        while time.monotonic() < deadline:
            clock.frames()
            time.sleep(0.001)
    game.keys.down("Escape")
    status = game.wait(10, clock)
    game.keys.release_all()
    check(status == 0, f"exit status {status} after the beats")
    # The writer's line: a frame f is written at `start + f / rate`, no earlier than any reading saw it.
    start = min(t - f / rate for t, f in clock.samples if f > 0)
    plays = []
    with open(game.trace) as f:
        for line in f:
            _, when = line.split()
            plays.append(float(when))
    delays = {}
    for when in plays:
        heard = (when - start) * rate - clock.lead
        heard = heard / rate - REPORTED_LATENCY
        beat = round((heard - offset) * 2) / 2
        if beat in beats and beat not in delays:
            delays[beat] = heard - beat
    values = [1000 * delays[b] for b in beats if b in delays]
    measured("delay of each dash's frame after its heard half second, ms: " + ", ".join(f"{v:+.1f}" for v in values))
    if not check(len(values) >= 20, f"{len(values)} of {len(beats)} half seconds timed"):
        return []
    spread = max(values) - min(values)
    measured(f"delays from {min(values):+.1f} to {max(values):+.1f} ms, spread {spread:.1f} ms, "
             f"median {np.median(values):+.1f} ms")
    # A frame comes every 16.7 ms here (the game paces itself at 60 a second under Xvfb), so on a quiet machine every
    # dash falls within about a frame after its heard half second; a loaded one delays frames, never brings them
    # forward. Read from the raw playing offset, a command
    # went 24 to 47 ms before the beat could be heard. The tracer's and the recording's readings are good to a
    # millisecond or two. A player's audio offset moves every dash later by as much.
    late = [v - 1000 * offset for v in values]
    check(min(late) >= -5.0, f"no dash comes before its half second is heard, {1000 * offset:.0f} ms later "
                             f"({min(late):+.1f} ms)")
    return values

SCENES = {"music": scene_music, "escape": scene_escape, "world": scene_world, "beats": scene_beats}


def main(scenes=SCENES, usage=__doc__.split("\n\n")[1]):
    """Runs the scene the command line names, stops every game it left running, and gives the exit status."""
    if len(sys.argv) != 5 or sys.argv[1] not in scenes:
        print(usage, file=sys.stderr)
        return 2
    scene, exe, build, work = sys.argv[1:]
    try:
        scenes[scene](exe, build, work)
    except RuntimeError as error:
        fail(str(error))
    finally:
        for game in games:
            game.stop()
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
