#!/usr/bin/python3
"""Finds screenshots of the game's window in a rendered clip, and judges how well they match.

Usage: clip_match.py CLIP SHOT FROM TO [SHOT FROM TO ...]
SHOT is a screenshot of the 900x600 window; FROM and TO are when its taking began and ended, in milliseconds after
the window appeared. Prints "ok: ...", "FAIL: ..." and "measured: ..." lines; the exit status is 1 when a check
failed.

The clip's clock is the base stem's, which starts as the window appears (within a few hundredths of a second), so a
screenshot's picture is near its time in the clip. Each screenshot is compared with the clip from a second before
FROM to 0.75 s after TO. The best place must match within the tolerance below and lie near the screenshot's time:
at most half a second before FROM (a game held up shows an older frame, and the music may start a little after the
window) and a quarter of a second after TO. The place two seconds from the best must not match: a measure that
passes anything, or a clip that shows one picture throughout, fails there.

The measure. Pictures are compared at the centres of their 3x3 blocks (one sample per canvas pixel, away from the
blocks' edges, where H.264 smears the most). Under Xvfb the game paces itself at 60 frames a second, as the clip
runs, but out of step with it (and much faster when left unpaced), so the window may show a frame the clip left
out, between two of its frames. Every sample of such
a frame is as in one of the two: a shape that moves less than its own size in 1/60 s covers nothing that neither
of them covers and leaves open nothing that both cover. So a place in the clip is a pair of consecutive video
frames, and each sample is compared with the closer of the two. The figures are the mean absolute difference over
the channels (MAD) and the share of samples with a channel more than 32 levels off ("far off").

The tolerance, from 50 games on this machine, three screenshots each: the true place gives a MAD of 1.0 to 2.8 and
0% to 0.3% far off (what is left is H.264's and yuv420p's loss at sharp edges: the grass line, the dust, the
baseballers' sides); two seconds away gives a MAD of 10.5 to 40.8 and 10.9% to 39.8% far off, and the same moment
of another game played with the same keys a MAD of 8.0 or more and 5.7% or more. (Compared with single frames, the
true match of a screenshot taken while blown baseballers fly reached a MAD of 5.8 and 3.8%.) A match needs a MAD of
at most 5 and at most 2% far off. The true place lay from 0.08 s before FROM to 0.04 s after it.
"""

import subprocess
import sys

import numpy as np
from PIL import Image

import checks
from checks import fail, measured, ok

WIDTH, HEIGHT = 900, 600
FPS = 60
MAX_MAD = 5.0
FAR_LEVEL = 32
MAX_FAR_SHARE = 0.02
SEARCH_BEFORE, SEARCH_AFTER = 1.0, 0.75
NEAR_BEFORE, NEAR_AFTER = 0.5, 0.25
APART = 2 * FPS


def samples(picture):
    """One sample per canvas pixel: the centre of its 3x3 block."""
    return picture[1::3, 1::3].astype(np.int16)


def video_frames(clip, wanted):
    """The samples of the clip's video frames with the given numbers (counted from 0), by number."""
    wanted = sorted(set(wanted))
    if not wanted:
        return {}
    runs = []
    for n in wanted:
        if runs and runs[-1][1] == n - 1:
            runs[-1][1] = n
        else:
            runs.append([n, n])
    chosen = "+".join("between(n\\,%d\\,%d)" % (a, b) for a, b in runs)
    decoder = subprocess.Popen(
        ["ffmpeg", "-v", "error", "-i", clip, "-vf", "select=" + chosen, "-fps_mode", "passthrough",
         "-frames:v", str(len(wanted)), "-f", "rawvideo", "-pix_fmt", "rgb24", "-"], stdout=subprocess.PIPE)
    size = WIDTH * HEIGHT * 3
    found = {}
    for n in wanted:
        data = decoder.stdout.read(size)
        if len(data) < size:
            break
        found[n] = samples(np.frombuffer(data, np.uint8).reshape(HEIGHT, WIDTH, 3))
    decoder.stdout.close()
    decoder.wait()
    return found


def video_frame_count(clip):
    out = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-count_packets", "-show_entries",
                          "stream=nb_read_packets", "-of", "csv=p=0", clip], capture_output=True, text=True)
    return int(out.stdout.strip() or 0)


def difference(shot, earlier, later):
    """The MAD and the share of samples far off, each sample against the closer of two consecutive frames."""
    from_earlier = np.abs(shot - earlier)
    from_later = np.abs(shot - later)
    closer = np.where((from_earlier.max(axis=2) <= from_later.max(axis=2))[:, :, None], from_earlier, from_later)
    return float(closer.mean()), float((closer.max(axis=2) > FAR_LEVEL).mean())


def difference_at(shot, frames, n):
    return difference(shot, frames[n], frames[n + 1])


def matches(mad, share):
    return mad <= MAX_MAD and share <= MAX_FAR_SHARE


def figures(mad, share):
    return "MAD %.2f, %.2f%% far off" % (mad, share * 100)


def read_screenshot(path):
    try:
        picture = np.asarray(Image.open(path).convert("RGB"))
    except OSError as error:
        fail("cannot read the screenshot %s: %s" % (path, error))
        return None
    if picture.shape != (HEIGHT, WIDTH, 3):
        fail("the screenshot %s is %dx%d, not %dx%d" % (path, picture.shape[1], picture.shape[0], WIDTH, HEIGHT))
        return None
    return samples(picture)


def main(clip, shots):
    count = video_frame_count(clip)
    if count < 2:
        fail("%s holds %d video frames" % (clip, count))
        return

    # Phase 1: every screenshot against every place in its stretch of the clip.
    screenshots = []
    for path, start_ms, end_ms in shots:
        shot = read_screenshot(path)
        if shot is None:
            continue
        start, end = int(start_ms) / 1000, int(end_ms) / 1000
        first = max(0, int((start - SEARCH_BEFORE) * FPS))
        last = min(count - 2, int((end + SEARCH_AFTER) * FPS))
        screenshots.append((path.rsplit("/", 1)[-1], shot, start, end, range(first, last + 1)))
    searched = video_frames(clip, [m for s in screenshots for n in s[4] for m in (n, n + 1)])
    best = []
    for name, shot, start, end, places in screenshots:
        scored = [(difference_at(shot, searched, n), n) for n in places if n in searched and n + 1 in searched]
        if not scored:
            fail("%s: the clip has no frames near %.2f s" % (name, start))
            continue
        (mad, share), n = min(scored)
        best.append((name, shot, start, end, n, mad, share))

    # Phase 2: the place two seconds from each best one.
    apart = {name: (n + APART if n + APART + 1 < count else n - APART) for name, _, _, _, n, _, _ in best}
    away = video_frames(clip, [m for n in apart.values() for m in (n, n + 1)])

    # Phase 3: the verdicts.
    for name, shot, start, end, n, mad, share in best:
        when = n / FPS
        measured("%s, taken %.2f to %.2f s after the window appeared: best at video frames %d and %d (%.3f s), %s"
                 % (name, start, end, n, n + 1, when, figures(mad, share)))
        if matches(mad, share):
            ok("%s matches video frames %d and %d (%s)" % (name, n, n + 1, figures(mad, share)))
        else:
            fail("%s: no place in the clip matches; the best, video frames %d and %d at %.3f s, has %s (a match "
                 "needs a MAD of at most %g and at most %g%% far off)"
                 % (name, n, n + 1, when, figures(mad, share), MAX_MAD, MAX_FAR_SHARE * 100))
        if start - NEAR_BEFORE <= when <= end + NEAR_AFTER:
            ok("%s: its place in the clip, %.3f s, is near when it was taken" % (name, when))
        else:
            fail("%s: its place in the clip is %.3f s, but it was taken %.2f to %.2f s after the window appeared"
                 % (name, when, start, end))
        other = apart[name]
        if other not in away or other + 1 not in away:
            fail("%s: the clip has no frames %d and %d, two seconds from its match" % (name, other, other + 1))
            continue
        far_mad, far_share = difference_at(shot, away, other)
        measured("%s against video frames %d and %d, two seconds away: %s"
                 % (name, other, other + 1, figures(far_mad, far_share)))
        if matches(far_mad, far_share):
            fail("%s also matches video frames %d and %d, two seconds away (%s): the measure tells nothing apart"
                 % (name, other, other + 1, figures(far_mad, far_share)))
        else:
            ok("%s does not match the clip two seconds away (%s)" % (name, figures(far_mad, far_share)))


if __name__ == "__main__":
    arguments = sys.argv[1:]
    if len(arguments) < 4 or (len(arguments) - 1) % 3 != 0:
        sys.exit(__doc__)
    main(arguments[0], [tuple(arguments[i:i + 3]) for i in range(1, len(arguments), 3)])
    sys.exit(1 if checks.failures else 0)
