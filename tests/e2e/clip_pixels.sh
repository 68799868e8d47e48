#!/usr/bin/env bash
# The MP4 shows what the window showed: a real game is played with keys and recorded, its window is screenshot three
# times between 2.8 and 6.3 s (after dashes, with the love circle open, later on), and the recording is rendered.
# Each screenshot must match a place in the clip near its time within a tolerance that allows for H.264's loss, and
# must not match the clip two seconds away (clip_match.py holds the measure, the tolerance and the figures it was
# set from). With CLIP_PIXELS_KEEP=folder the screenshots, the recording and the clip are kept there.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

recording="$WORK/game.rec"
start_focused_game --record "$recording"

# A screenshot of the window, with when its taking began and ended, in ms after the window appeared.
SHOTS=()
screenshot() {
    local file="$WORK/$1.png" began
    now_ms
    began=$((NOW_MS - WINDOW_SHOWN_MS))
    if ! timeout 10 import -window "$WINDOW" "png:$file" 2>/dev/null; then
        fail "no screenshot $1"
        return
    fi
    now_ms
    SHOTS+=("$file" "$began" "$((NOW_MS - WINDOW_SHOWN_MS))")
}

# Waits until the given milliseconds after the window appeared.
until_ms() {
    local left
    now_ms
    left=$(($1 - (NOW_MS - WINDOW_SHOWN_MS)))
    [ "$left" -le 0 ] || sleep "$((left / 1000)).$(printf '%03d' $((left % 1000)))"
}

press_at() {
    until_ms "$1"
    xdotool key --delay 0 "$2"
}

# The first seconds of two games played with the same keys look much alike (few baseballers yet, the player where
# the same dashes took it), so the keys and screenshots come from two seconds on, where every game looks its own.
press_at 2000 Right
press_at 2350 Down
press_at 2700 Left
until_ms 2850
screenshot dash
press_at 3200 Up
until_ms 3550
xdotool keydown --delay 0 Shift_L
until_ms 4400
screenshot love
until_ms 4800
xdotool keyup --delay 0 Shift_L
press_at 5500 d
press_at 5850 s
until_ms 6000
screenshot later
wait_for_end 30
[ "$GAME_STATUS" -eq 0 ] && pass "the recorded game ended with its music" || fail "recording: status $GAME_STATUS"

clip="$WORK/game.mp4"
out="$(cd "$BUILD" && "$EXE" --render "$recording" --output "$clip" 2>&1)"
status=$?
if [ "$status" -ne 0 ] || [ ! -s "$clip" ]; then
    fail "render of the recording: status $status: $out"
    finish
fi
pass "the recording rendered"

log="$WORK/match.out"
/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/clip_match.py" "$clip" "${SHOTS[@]}" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
failed=$(grep -c '^FAIL:' "$log")
FAILURES=$((FAILURES + failed))
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || fail "clip_match.py stopped with status $status"
if [ -n "${CLIP_PIXELS_KEEP:-}" ]; then
    mkdir -p "$CLIP_PIXELS_KEEP" && cp "$recording" "$clip" "$WORK"/*.png "$CLIP_PIXELS_KEEP/"
fi

finish
