#!/usr/bin/env bash
# One whole game of the real executable, played with the keyboard: dashes in every direction (arrows and WASD),
# Shift held across several half-second beats with moves in between, and the game left to end on its own when
# its 14 s of music end. It must end with status 0 and print nothing from a sanitizer.
# Usage: whole_game.sh <executable> <build dir holding resources/>
# Needs a display (DISPLAY set), xdotool and OpenAL Soft's null output; scripts/sanitize.sh runs it on the
# sanitizer build.
set -u

exe="$(readlink -f "$1")"
build="$(readlink -f "$2")"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

export ALSOFT_DRIVERS=null
started=$(date +%s%N)
(cd "$build" && exec timeout 120 "$exe") >"$log" 2>&1 &
game=$!

window=""
for _ in $(seq 1 300); do
    window="$(xdotool search --onlyvisible --name '^Brindlewick$' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    wait "$game"
    echo "FAIL: the game's window did not appear (status $?)"
    cat "$log"
    exit 1
fi
xdotool windowfocus --sync "$window" 2>/dev/null

# A key held for a while, long enough to be seen by a frame and carried to the next beat.
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

for key in Right Down Left Up d s a w; do
    hold "$key" 0.3
    sleep 0.2
done
# Shift held across three beats while the player keeps dashing, then let go.
xdotool keydown Shift_L
for key in Left Up Right Down; do
    hold "$key" 0.2
    sleep 0.3
done
xdotool keyup Shift_L
# Short loves and moves together until the music is nearly over.
for _ in 1 2 3; do
    xdotool keydown Shift_L
    hold Right 0.3
    sleep 0.3
    xdotool keyup Shift_L
    hold Left 0.3
    sleep 0.2
done

wait "$game"
status=$?
took_ms=$((($(date +%s%N) - started) / 1000000))
failed=0
if [ "$status" -ne 0 ]; then
    echo "FAIL: the game ended with status $status after $took_ms ms"
    failed=1
fi
# The music lasts 14 s: ending much sooner means it did not end with its music.
if [ "$took_ms" -lt 13000 ]; then
    echo "FAIL: the game ended after $took_ms ms, before its music did"
    failed=1
fi
if grep -qE 'Sanitizer|runtime error:' "$log"; then
    echo "FAIL: sanitizer reports from the game"
    failed=1
fi
if [ "$failed" -ne 0 ]; then
    cat "$log"
    exit 1
fi
echo "ok: a whole game played with keys ended with its music after $took_ms ms, status 0, no sanitizer reports"
