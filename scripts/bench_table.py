"""Prints the table of scripts/bench.sh from Google Benchmark's JSON output: one figure a line, with its ratio to
the reference measured in the same run. Times are CPU times of the benchmark's thread, which the other work on a
shared machine disturbs less than wall times (given beside them). Given the whole game's frame times from several
runs, it also reports each frame's least time over them."""
import glob
import json
import os
import statistics
import sys

GAME_PROCESS = "benchGameProcess"
RUN_ONCE = "/iterations:1/real_time"


def least_per_frame(paths):
    """Each frame's least time over runs of the whole game in separate processes, per part."""
    runs = []
    for path in paths:
        with open(path) as f:
            runs.append([[float(v) for v in line.split()] for line in f if line.strip()])
    frames = min(len(run) for run in runs)
    parts = ("world", "present", "world_cpu", "present_cpu")
    return len(runs), {part: [min(run[frame][i] for run in runs) for frame in range(frames)]
                       for i, part in enumerate(parts)}


def turns_of(folder, build, name):
    """One benchmark's results from each turn's JSON of one build."""
    found = []
    for path in sorted(glob.glob(os.path.join(folder, f"render.{build}.*.json"))):
        try:
            with open(path) as f:
                benchmarks = json.load(f)["benchmarks"]
        except (OSError, ValueError, KeyError):
            continue
        found += [b for b in benchmarks if b["name"] == name]
    return found


def render_turns(folder, build):
    """The render's wall and all threads' processor time within one process, in s, from each turn."""
    found = []
    for b in turns_of(folder, build, "benchRenderScriptedGame/iterations:3/process_time/real_time"):
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
        found.append((b["real_time"] * scale, b["cpu_time"] * scale, b.get("game_s")))
    return found


def setup_rows(rows, folder):
    """The game's own set-up after the window against the reference build's, medians of the turns."""
    def own(build):
        return [b["media_ms"] + b["stems_ms"] + b["first_frame_ms"]
                for b in turns_of(folder, build, "benchSetUp/iterations:5")]
    ours, theirs = own("ours"), own("reference")
    if ours and theirs:
        mine, ref = statistics.median(ours), statistics.median(theirs)
        rows.append(f"{'set-up after the window, in turns':<44} {mine:>11.1f} ms {'':>14} {mine / ref:8.2f}x  "
                    f"the build before the render was sped up, {ref:.1f} ms (medians of {len(ours)} turns each)")


def render_rows(rows, runs, folder):
    """The render against the build before it was sped up, each measured in turns in the same run."""
    ours, theirs = render_turns(folder, "ours"), render_turns(folder, "reference")
    game = next((t[2] for t in ours if t[2]), None)
    if ours and theirs and game:
        wall, cpu = statistics.median(t[0] for t in ours), statistics.median(t[1] for t in ours)
        ref_wall, ref_cpu = statistics.median(t[0] for t in theirs), statistics.median(t[1] for t in theirs)
        rows.append(f"{'render a scripted game to an MP4':<44} {cpu:>11.2f} s  {wall:>11.2f} s  {wall / ref_wall:8.2f}x  "
                    f"the render before it was sped up: {ref_wall:.2f} s wall, {ref_cpu:.2f} s cpu (medians of "
                    f"{len(ours)} turns each; cpu is all threads)")
        rows.append(f"{'goal: the render in 1/6 of the game (wall)':<44} {'':>14} {wall:>11.2f} s  "
                    f"{wall / (game / 6):8.2f}x  {game / 6:.2f} s; {game / wall:.1f}x real time")
    turns = runs.get("benchRenderAgainstReference/iterations:7/real_time")
    if turns and "reference_s" in turns:
        started, ref_started = turns["render_s"], turns["reference_s"]
        rows.append(f"{'render, started as a process (wall)':<44} {'':>14} {started:>11.2f} s  "
                    f"{started / ref_started:8.2f}x  the same of the render before, {ref_started:.2f} s "
                    f"(medians of 7 turns each)")


def main(path, frame_paths):
    with open(path) as f:
        runs = {b["name"]: b for b in json.load(f)["benchmarks"]}

    def us(name, key="cpu_time"):
        b = runs.get(name)
        if b is None:
            return None
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b.get("time_unit", "ns")]
        return b[key] * scale

    rows = []

    def row(what, name, ref_name, ref_label, key="cpu_time"):
        value, ref = us(name, key), us(ref_name, key) if ref_name else None
        if value is None:
            return
        wall = us(name, "real_time")
        ratio = f"{value / ref:8.2f}x" if ref else "        "
        rows.append(f"{what:<44} {value:>11.1f} us {wall:>11.1f} us {ratio}  {ref_label}")

    def counter(what, name, key, ref_value, ref_label, unit="us"):
        b = runs.get(name)
        if b is None or key not in b:
            return
        value = b[key]
        ratio = f"{value / ref_value:8.2f}x" if ref_value else "        "
        rows.append(f"{what:<44} {value:>11.1f} {unit} {'':>14} {ratio}  {ref_label}")

    print(f"{'measured':<44} {'cpu':>14} {'wall':>14} {'ratio':>9}  against")
    world0 = "benchWorldFrame/0"
    for n in (0, 20, 100, 1000, 10000):
        row(f"world frame, {n} baseballers made", f"benchWorldFrame/{n}", world0, "world frame, game's own spawns")
    big_o = runs.get("benchWorldFrame_BigO")
    if big_o:
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[big_o.get("time_unit", "ns")]
        rows.append(f"{'world frame growth (complexity report)':<44} {big_o['cpu_coefficient'] * scale:>8.3f} us*N"
                    f"{'':>15} {'':>9}  fit O({big_o['big_o']}), rms {runs['benchWorldFrame_RMS']['rms']:.0%}")
    row("goal: world frame at 1000 <= 200 us", "benchWorldFrame/1000", None, "")
    row("one key asked of the X server", "benchEscapeAsked", world0,
        "world frame, game's own spawns (asked only after a key's events)")
    # Present and its references, timed in turn in one loop: their ratios hold however busy the machine is.
    # Under a software renderer the pixels are filled on the driver's threads, so the wall time is given too.
    for n, goal in ((20, 1.2), (1000, 2)):
        b = runs.get(f"benchPresentGameFrame/{n}")
        if b is None or "batched_cpu_us" not in b:
            continue
        for way, what in (("batched", "game's draw list"), ("one_by_one", "one draw per entry")):
            cpu, wall = b[f"{way}_cpu_us"], b[f"{way}_wall_us"]
            label = ("one scaled draw of the canvas, same loop" +
                     (f" (goal <= {goal}x)" if way == "batched" else " (before batching)") +
                     f"; wall {wall / b['scaled_wall_us']:.2f}x")
            rows.append(f"{f'present, {what}, {n} baseballers':<44} {cpu:>11.1f} us {wall:>11.1f} us "
                        f"{cpu / b['scaled_cpu_us']:8.2f}x  {label}")
        rows.append(f"{f'present batched, {n} baseballers':<44} {'':>14} {'':>14} "
                    f"{b['batched_cpu_us'] / b['one_by_one_cpu_us']:8.2f}x  one draw per entry, same loop; "
                    f"wall {b['batched_wall_us'] / b['one_by_one_wall_us']:.2f}x")
    row("present, the canvas alone", "benchPresentCanvas", "benchSingleScaledDraw", "one scaled draw of the canvas")
    row("present, an intermediate target each frame", "benchIntermediateTargetEachFrame", "benchSingleScaledDraw",
        "one scaled draw of the canvas")
    whole = "benchWholeGameFrames/iterations:1"
    if whole in runs:
        b = runs[whole]
        # Wall times, then the benchmark thread's own processor time (its own work, without the machine's other).
        for part in ("world", "present", "frame", "world_cpu", "present_cpu"):
            if f"{part}_p50_us" not in b:
                continue
            p50 = b[f"{part}_p50_us"]
            counter(f"whole game, {part}: p50", whole, f"{part}_p50_us", None, "")
            counter(f"whole game, {part}: p99", whole, f"{part}_p99_us", p50, f"{part} p50")
            at = b.get(f"{part}_max_at")
            counter(f"whole game, {part}: largest after the first", whole, f"{part}_max_us", p50,
                    f"{part} p50 (goal <= 2x)" + (f", frame {at:.0f}" if at is not None else "") +
                    (f", {b[f'{part}_over_2x']:.0f} frames over 2x" if f"{part}_over_2x" in b else ""))
    both = runs.get("benchWholeGamePresentedBothWays/iterations:1")
    if both:
        for part, label in (("present", "wall"), ("present_cpu", "own time")):
            before = part.replace("present", "one_by_one")
            counter(f"whole game, present p50 ({label}), one by one", both["name"], f"{before}_p50_us", None,
                    "the draw list one entry at a time, as before batching")
            counter(f"whole game, present p50 ({label}), batched", both["name"], f"{part}_p50_us",
                    both[f"{before}_p50_us"], "one by one, the same frames (goal <= 0.67x)")
    if len(frame_paths) > 1:
        count, least = least_per_frame(frame_paths)
        for part, frames in least.items():
            p50 = sorted(frames)[len(frames) // 2]
            largest = max(frames)
            at = frames.index(largest) + 1
            rows.append(f"{f'whole game, {part}: largest least of {count} runs':<44} {largest:>11.1f} us {'':>14} "
                        f"{largest / p50:8.2f}x  its p50 ({p50:.0f} us; goal <= 2x), frame {at}")
    setup = "benchSetUp/iterations:5"
    if setup in runs:
        b = runs[setup]
        own = b["media_ms"] + b["stems_ms"] + b["first_frame_ms"]
        for key, label in (("media_ms", "media"), ("stems_ms", "stems"), ("first_frame_ms", "first frame")):
            counter(f"set-up after the window: {label}", setup, key, own, "own set-up", "ms")
        rows.append(f"{'set-up after the window: own set-up':<44} {own:>11.1f} ms {'':>14} {own / 30:8.2f}x  goal 30 ms")
        if "settings_ms" in b:
            rows.append(f"{'set-up before the window: settings read':<44} {b['settings_ms']:>11.2f} ms {'':>14} "
                        f"{b['settings_ms'] / 2:8.2f}x  goal 2 ms (the whole example file)")
    plain, recorded = runs.get("benchGameFrames/0/iterations:5"), runs.get("benchGameFrames/1/iterations:5")
    if plain and recorded:
        def per_frame(b, key):
            return us(b["name"], key) / b["frames"]
        base = per_frame(plain, "cpu_time")
        rows.append(f"{'whole game, world frame, not recorded':<44} {base:>11.1f} us "
                    f"{per_frame(plain, 'real_time'):>11.1f} us {'':>9}  mean over the game")
        rows.append(f"{'whole game, world frame, recorded (kept)':<44} {per_frame(recorded, 'cpu_time'):>11.1f} us "
                    f"{per_frame(recorded, 'real_time'):>11.1f} us {per_frame(recorded, 'cpu_time') / base:8.2f}x  "
                    f"not recorded; file {recorded['file_bytes']:.0f} bytes")
        both = runs.get("benchGameFrames/2/iterations:5")
        if both:
            rows.append(f"{'whole game, world frame, --record and kept':<44} {per_frame(both, 'cpu_time'):>11.1f} us "
                        f"{per_frame(both, 'real_time'):>11.1f} us {per_frame(both, 'cpu_time') / base:8.2f}x  "
                        f"not recorded; two files")
        if whole in runs and "present_cpu_p50_us" in runs[whole]:
            frame_cpu = runs[whole]["world_cpu_p50_us"] + runs[whole]["present_cpu_p50_us"]
            added = per_frame(recorded, "cpu_time") - base
            rows.append(f"{'recording, added to a frame':<44} {added:>11.1f} us {'':>14} {added / frame_cpu:8.3f}x  "
                        f"a whole frame's own time, p50 ({frame_cpu:.0f} us)")
    render_rows(rows, runs, os.path.dirname(os.path.abspath(path)))
    setup_rows(rows, os.path.dirname(os.path.abspath(path)))
    unpaced, paced = runs.get(f"{GAME_PROCESS}/-1{RUN_ONCE}"), runs.get(f"{GAME_PROCESS}/0{RUN_ONCE}")
    if unpaced and paced:
        # Processor time of the game's whole process (all its threads) for each second of play.
        rows.append(f"{'game process unpaced, cores per s of play':<44} {unpaced['cores']:>11.3f} {'':>17} "
                    f"{'':>9}  {unpaced['fps']:.0f} frames a second (max_fps = -1)")
        rows.append(f"{'game process paced, cores per s of play':<44} {paced['cores']:>11.3f} {'':>17} "
                    f"{paced['cores'] / unpaced['cores']:8.2f}x  unpaced; {paced['fps']:.0f} frames a second; "
                    f"goal <= 0.25")
        interval = paced["display_interval_us"]
        for key, label in (("interval_p50_us", "p50"), ("interval_p99_us", "p99")):
            counter(f"game process paced, frame interval {label}", paced["name"], key, interval,
                    f"the pace, {interval / 1000:.2f} ms ({paced[key] - interval:+.0f} us; p99 goal within 2 ms)")
    row("three stems opened and checked", "benchStemsChecked", "benchStemsDecodedInFull", "three stems decoded in full")
    row("dust trail, one frame", "benchDustUpdateSteadyTrail", None, "")
    print("\n".join(rows))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
