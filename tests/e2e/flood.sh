#!/usr/bin/env bash
# A flood of input: ten thousand key events (presses and releases of every bound key but Escape, alone and two at a
# time) sent through XTEST to the focused window at a thousand a second for ten seconds, from one second into the
# game. The game must keep drawing frames (its window's picture changes and it keeps using CPU time, checked every
# second during and after the flood), keep the keyboard focus, and end on its own with status 0 when its music ends.
# That the command board holds at most one command of a name under such a flood is checked inside the process, by
# the display test RoundStressFixture.AFloodOfKeyEventsEveryFrame.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

BATCHES=100       # one every 100 ms: ten seconds
BATCH_EVENTS=100  # so a thousand events a second
LONGEST_MS=15000  # the music (14 s) plus one second, from the window appearing

# One batch as xdotool arguments: 25 pairs of keys, each pair pressed together and released together.
flood_batch() {
    local -n into="$1"
    local count=${#PLAY_KEYS[@]} first second i
    into=()
    for ((i = 0; i < BATCH_EVENTS / 4; i++)); do
        first=$((RANDOM % count))
        second=$(((first + 1 + RANDOM % (count - 1)) % count))
        into+=(keydown --delay 0 "${PLAY_KEYS[first]}" "${PLAY_KEYS[second]}")
        into+=(keyup --delay 0 "${PLAY_KEYS[first]}" "${PLAY_KEYS[second]}")
    done
}

# Writes "milliseconds picture cpu-ticks" at each whole second after the window appeared, while the game runs.
watch_frames() {
    local ticks picture second wait_ms
    for ((second = 1; second <= 14; second++)); do
        now_ms
        wait_ms=$((WINDOW_SHOWN_MS + second * 1000 - NOW_MS))
        [ "$wait_ms" -gt 0 ] && sleep "$(printf '%d.%03d' $((wait_ms / 1000)) $((wait_ms % 1000)))"
        game_running || break
        picture="$(window_picture)"
        ticks="$(cpu_ticks)" || break
        now_ms
        echo "$NOW_MS $picture $ticks"
    done
}

start_focused_game

# A second client listens to the game's window and counts the key presses that reach it (such a listener is also
# shown more releases than were sent, so those are not counted). It listens once it has reported a key: Up is tapped
# until it has.
key_log="$WORK/keys.log"
stdbuf -oL xev -id "$WINDOW" -event keyboard >"$key_log" 2>&1 &
listener=$!
for _ in $(seq 1 40); do
    timeout 5 xdotool key --delay 0 Up
    grep -q '^KeyPress event' "$key_log" && break
    sleep 0.05
done
key_presses() {
    grep -c '^KeyPress event' "$key_log"
}
before_flood=$(key_presses)

frames_file="$(mktemp -p "$WORK")"
watch_frames >"$frames_file" &
watcher=$!

RANDOM=1000
now_ms
flood_start=$((WINDOW_SHOWN_MS + 1000 > NOW_MS ? WINDOW_SHOWN_MS + 1000 : NOW_MS))
sent=0
for ((batch = 0; batch < BATCHES; batch++)); do
    now_ms
    wait_ms=$((flood_start + batch * 100 - NOW_MS))
    [ "$wait_ms" -gt 0 ] && sleep "$(printf '%d.%03d' $((wait_ms / 1000)) $((wait_ms % 1000)))"
    game_running || break
    flood_batch args
    timeout 10 xdotool "${args[@]}" 2>/dev/null && sent=$((sent + BATCH_EVENTS))
done
now_ms
flood_ms=$((NOW_MS - flood_start))
still_running=no
game_running && still_running=yes
focused="$(timeout 5 xdotool getwindowfocus 2>/dev/null)"
release_keys

wait_for_end 20
wait "$watcher"
delivered=$(($(key_presses) - before_flood))
kill "$listener"
wait "$listener" 2>/dev/null
took=$((GAME_ENDED_MS - WINDOW_SHOWN_MS))
rate=$((sent * 1000 / (flood_ms > 0 ? flood_ms : 1)))
echo "sent $sent key events in $flood_ms ms ($rate a second), $delivered key presses reached the window; game ended with status $GAME_STATUS ${took} ms after its window appeared"

[ "$sent" -eq $((BATCHES * BATCH_EVENTS)) ] || fail "only $sent key events were sent"
[ "$delivered" -ge $((sent / 2)) ] || fail "only $delivered of the $((sent / 2)) key presses reached the window"
[ "$flood_ms" -le 11000 ] || fail "the flood took $flood_ms ms: xdotool could not keep up a thousand events a second"
[ "$still_running" = yes ] || fail "the game did not outlive the flood"
[ "$focused" = "$WINDOW" ] || fail "the window lost the keyboard focus during the flood (focus: $focused)"

# Frames: every second's picture differs from the one before (the backdrop scrolls all the time), and the game used
# CPU time in between; the samples must cover the flood and the rest of the game.
samples=0
previous_picture="" previous_ticks=""
while read -r at picture ticks; do
    samples=$((samples + 1))
    if [ -n "$previous_picture" ]; then
        [ "$picture" != "$previous_picture" ] || fail "the picture did not change in the second before $((at - WINDOW_SHOWN_MS)) ms"
        [ "$ticks" -gt "$previous_ticks" ] || fail "no CPU time used in the second before $((at - WINDOW_SHOWN_MS)) ms"
    fi
    previous_picture=$picture
    previous_ticks=$ticks
done <"$frames_file"
[ "$samples" -ge 12 ] || fail "only $samples samples of the window's picture in the game"
echo "$samples pictures of the window, one a second, each different from the one before"

expect_own_end flood "a flood of key events: frames kept coming, the game ended on its own"

finish
