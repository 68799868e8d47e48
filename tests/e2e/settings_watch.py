#!/usr/bin/python3
"""Plays the real game with settings of the player's and watches what they change: its sound through OpenAL Soft's
wave writer, its keys sent at chosen moments of the music, as gamewatch.py does.

Usage: settings_watch.py SCENE EXECUTABLE BUILD_DIR WORK_DIR, with SCENE one of:
  volumes    the music's volume halves the stems, the effects' volume silences a dash, mute silences a whole game
  calibrate  presses 120 ms after each heard beat on the calibration screen save an offset of 120 ms, and a game
             played by it dashes 120 ms later than one without it (beats, which needs BEAT_TRACE_LIBRARY)
Prints "ok: ...", "FAIL: ..." and "measured: ..." lines; the exit status is 1 when a check failed.
"""

import os
import re
import sys
import time

import numpy as np

import gamewatch
from checks import check, measured
from gamewatch import REPORTED_LATENCY, STEM_SECONDS, FRAME_MS, read_stem, start_game


def settings_file(work, name, text):
    path = os.path.join(work, name + ".toml")
    with open(path, "w") as f:
        f.write(text)
    return path


def writer_start(clock):
    """The moment the wave writer wrote the recording's first frame: the line through the moments the file grew
    (each period is written at once, and each reading saw it no earlier than it was written)."""
    return min(t - f / clock.rate for t, f in clock.samples if f > 0)


def at_heard(clock, seconds):
    """The monotonic time at which a music position is heard: written, plus the latency the output reports."""
    return writer_start(clock) + (clock.lead + seconds * clock.rate) / clock.rate + REPORTED_LATENCY


def wait_for(moment, clock, game):
    while time.monotonic() < moment - 0.003:
        if game.poll() is not None:
            raise RuntimeError("the game ended before the watcher was done")
        clock.frames()
        time.sleep(0.001)
    while time.monotonic() < moment:
        pass


def stem_gains(music, lead, stems, start, end, rate):
    """The gain of each stem in the recording between two music positions, by least squares: the game's mix is the
    stems at their volumes (the loud layer chosen by the start, the other silent, nobody moving)."""
    first, last = lead + int(start * rate), lead + int(end * rate)
    columns = np.stack([stem[first - lead : last - lead] for stem in stems], axis=1).astype(np.float64)
    gains, residual, _, _ = np.linalg.lstsq(columns, music[first:last].astype(np.float64), rcond=None)
    rest = music[first:last] - columns @ gains
    return gains, float(np.sqrt(np.mean(rest ** 2)))


def play_for(exe, build, work, name, args, seconds, keys=()):
    """Starts the game, taps the keys at their music positions, and ends it with Escape after `seconds` of music.
    Gives the recording as mono samples, the stems' lead in it and its rate."""
    game, recording, clock, base, rate = start_game(exe, build, work, name, args)
    for at, key in keys:
        clock.wait_until(at, game)
        game.keys.tap(key)
    clock.wait_until(seconds, game)
    game.keys.down("Escape")
    status = game.wait(10, clock)
    game.keys.release_all()
    check(status == 0, f"{name}: status {status} when left with Escape")
    frames = recording.closed_frames()
    return recording.mono(frames), clock.lead, rate


def scene_volumes(exe, build, work):
    stems = [read_stem(os.path.join(build, path))[0] for path in
             (gamewatch.BASE_STEM, gamewatch.TOP_STEM, gamewatch.BOTTOM_STEM)]
    # The game as it is, and with the music at half its volume and the effects off, tapping a direction twice.
    plain, lead, rate = play_for(exe, build, work, "plain", [], 3.5)
    dashes = os.path.join(work, "dashes.rec")
    half_path = settings_file(work, "half", "[sound]\nmusic = 50\neffects = 0\n")
    half, half_lead, _ = play_for(exe, build, work, "half", ["--settings", half_path, "--record", dashes], 3.5,
                                  [(1.2, "Right"), (2.2, "Left")])
    full, _ = stem_gains(plain, lead, stems, 1.0, 3.0, rate)
    halved, rest = stem_gains(half, half_lead, stems, 1.0, 3.0, rate)
    base_db = 20 * np.log10(halved[0] / full[0])
    measured(f"base stem's gain {full[0]:.4f} as it is, {halved[0]:.4f} at music = 50: {base_db:+.2f} dB")
    check(abs(base_db - 20 * np.log10(0.5)) <= 0.5, f"music = 50 gives the stems half their amplitude ({base_db:+.2f} dB)")
    loud = max(halved[1], halved[2]) / max(full[1], full[2])
    check(abs(20 * np.log10(loud) - 20 * np.log10(0.5)) <= 0.5, f"and the loud layer too ({20 * np.log10(loud):+.2f} dB)")
    with open(dashes) as f:
        started = sum(line.count(" S:dash") for line in f)
    measured(f"left after the stems: RMS {rest:.6f}, with {started} dashes started")
    check(started == 2 and rest < 1e-3, f"effects = 0: the game dashed twice and nothing but the music is heard "
                                       f"(RMS {rest:.6f} left)")

    # Muted: the whole game, with a dash, plays silently to the end of its music. There is no music to time it by.
    muted_path = settings_file(work, "muted", "[sound]\nmuted = true\n")
    game = gamewatch.Game(exe, build, work, "muted", ["--settings", muted_path])
    if not game.find_window():
        raise RuntimeError("muted: the game's window did not appear: " + game.output())
    shown = time.monotonic()
    game.focus()
    time.sleep(1.0)
    game.keys.tap("Right")
    status = game.wait(STEM_SECONDS + 20)
    took = time.monotonic() - shown
    check(status == 0 and took >= STEM_SECONDS - 1, f"muted: a whole game ({took:.1f} s), status {status}")
    recording = gamewatch.Recording(game.wav)
    silence = recording.mono(recording.closed_frames())
    loudest = float(np.max(np.abs(silence))) if len(silence) else 0.0
    check(len(silence) >= STEM_SECONDS * recording.rate and loudest == 0.0,
          f"muted: {len(silence) / recording.rate:.1f} s of silence, {loudest:.6f} at the loudest")


def scene_calibrate(exe, build, work):
    settings = os.path.join(work, "calibrated.toml")
    if os.path.exists(settings):
        os.remove(settings)
    game, recording, clock, base, rate = start_game(exe, build, work, "calibrate", ["--calibrate", "--settings",
                                                                                   settings])
    presses = 0
    beat = 2.0
    while beat < 8.0 - 0.3:
        clock.wait_until(beat - 0.3, game)
        wait_for(at_heard(clock, beat) + 0.120, clock, game)
        game.keys.tap("space")
        presses += 1
        beat += 0.5
    time.sleep(0.3)
    keep = os.environ.get("GAMEWATCH_KEEP")
    if keep:
        from PIL import Image
        Image.fromarray(game.grab()).save(os.path.join(keep, "calibration.png"))
    game.keys.tap("Return")
    status = game.wait(10, clock)
    check(status == 0, f"calibration: status {status} after Enter: {game.output()}")
    with open(settings) as f:
        text = f.read()
    found = re.search(r'^"Wave File Writer" = (-?\d+)$', text, re.M)
    measured(f"{presses} presses 120 ms after their heard beats saved: {found.group(0) if found else text!r}")
    if check(found is not None, "the offset is saved for the wave writer's device under [audio.device_offsets]"):
        saved = int(found.group(1))
        check(abs(saved - 120) <= FRAME_MS, f"the saved offset is 120 ms within a frame ({saved} ms)")
    check(text.startswith("[audio.device_offsets]\n"), "the new settings file holds the table and nothing else")

    # A game played by the saved offset, and one without it: every dash comes that much later. Each game's frames
    # keep their own phase to the music, so the two medians may differ by up to a frame besides.
    if found:
        offset = int(found.group(1))
        without = gamewatch.scene_beats(exe, build, work, name="beats")
        later = gamewatch.scene_beats(exe, build, work, ["--settings", settings], offset / 1000.0, "offset_beats")
        if without and later:
            moved = float(np.median(later) - np.median(without))
            check(abs(moved - offset) <= FRAME_MS, f"the dashes come {moved:.1f} ms later with the offset of {offset} "
                                                  f"ms than without it, within a frame")


SCENES = {"volumes": scene_volumes, "calibrate": scene_calibrate}


if __name__ == "__main__":
    sys.exit(gamewatch.main(SCENES, __doc__))
