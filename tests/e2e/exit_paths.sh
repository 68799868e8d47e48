#!/usr/bin/env bash
# The real executable's ways out: every failure names its cause on one line and exits non-zero; a normal
# close exits 0.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

# A missing picture: one line naming the file, status 1.
folder="$(fresh_game_folder)"
rm "$folder/resources/images/dust.PNG"
out="$(cd "$folder" && timeout 20 "$EXE" 2>&1)"
status=$?
if [ "$status" -eq 1 ] && grep -q 'Failed to load resource ".*resources/images/dust.PNG' <<<"$out"; then
    pass "missing picture"
else
    fail "missing picture: status $status, output: $out"
fi

# A missing base stem: the game follows its music, so it says so and stops.
folder="$(fresh_game_folder)"
rm "$folder/resources/sounds/music_base.wav"
out="$(cd "$folder" && timeout 20 "$EXE" 2>&1)"
status=$?
if [ "$status" -eq 1 ] && grep -q 'resources/sounds/music_base.wav' <<<"$out"; then
    pass "missing base stem"
else
    fail "missing base stem: status $status, output: $out"
fi

# Started from a folder without resources/: the message names the folder it looked for.
out="$(cd "$WORK" && timeout 20 "$EXE" 2>&1)"
status=$?
if [ "$status" -eq 1 ] && grep -q "$WORK/resources/" <<<"$out"; then
    pass "no resources folder"
else
    fail "no resources folder: status $status, output: $out"
fi

# No display at all: a clear message, promptly.
out="$(cd "$BUILD" && env -u DISPLAY timeout 10 "$EXE" 2>&1)"
status=$?
if [ "$status" -eq 1 ] && grep -qi 'display' <<<"$out"; then
    pass "no display"
else
    fail "no display: status $status, output: $out"
fi

# No audio device (OpenAL Soft given no driver that works): a clear message, not a silent success.
out="$(cd "$BUILD" && ALSOFT_DRIVERS=none timeout 20 "$EXE" 2>&1)"
status=$?
if [ "$status" -eq 1 ] && grep -q 'ALSOFT_DRIVERS=null' <<<"$out"; then
    pass "no audio device"
else
    fail "no audio device: status $status, output: $out"
fi

# Escape held closes the game on the next half second, with status 0.
(cd "$BUILD" && exec timeout 30 "$EXE") &
game=$!
window="$(game_window)"
if [ -z "$window" ]; then
    fail "escape: the window did not appear"
    kill "$game" 2>/dev/null
else
    sleep 1
    xdotool windowfocus --sync "$window" 2>/dev/null
    started=$(date +%s%N)
    xdotool keydown Escape
    wait "$game"
    status=$?
    took_ms=$(( ($(date +%s%N) - started) / 1000000 ))
    xdotool keyup Escape
    if [ "$status" -eq 0 ] && [ "$took_ms" -lt 3000 ]; then
        pass "escape closes with status 0 after ${took_ms} ms"
    else
        fail "escape: status $status after ${took_ms} ms"
    fi
fi

finish
