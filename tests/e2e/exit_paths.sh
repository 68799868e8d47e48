#!/usr/bin/env bash
# The real executable's ways out: every failure names its cause on one line and exits non-zero; a normal
# close exits 0.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

# A missing picture: one line naming the file, status 1.
folder="$(fresh_game_folder)"
rm "$folder/resources/images/dust.PNG"
expect_refusal "missing picture" 'Failed to load resource ".*resources/images/dust.PNG' "$folder"

# A missing base stem: the game follows its music, so it says so and stops.
folder="$(fresh_game_folder)"
rm "$folder/resources/sounds/music_base.wav"
expect_refusal "missing base stem" 'resources/sounds/music_base.wav' "$folder"

# Started from a folder without resources/: the message names the folder it looked for.
expect_refusal "no resources folder" "$WORK/resources/" "$WORK"

# No display at all, or one where no X server runs: a clear message (naming that display), promptly.
expect_refusal "no display" '[Dd]isplay' "$BUILD" -u DISPLAY
expect_refusal "a display with no server" 'Cannot open the display ":4093"' "$BUILD" DISPLAY=:4093

# The display goes away mid-game: a private Xvfb (on a display number it picks itself), the game on it, and two
# seconds in that X server is ended. The game must end promptly, say why and exit non-zero.
display_file="$(mktemp -p "$WORK")"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xserver=$!
for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.05
done
display=":$(head -n 1 "$display_file")"
if [ "$display" = ":" ]; then
    fail "display gone: the private X server did not start"
    kill "$xserver" 2>/dev/null
else
    start_game "$BUILD" DISPLAY="$display"
    sleep 2
    if ! game_running; then
        fail "display gone: the game did not run on the private display: $(game_stderr)"
    fi
    now_ms
    gone_at=$NOW_MS
    kill "$xserver"
    wait "$xserver"
    wait_for_end 5
    took=$((GAME_ENDED_MS - gone_at))
    if [ "$GAME_STATUS" -ne 0 ] && [ "$GAME_STATUS" -lt 128 ] && [ "$took" -le 2000 ] &&
        grep -q '^brindlewick: Lost the connection to the display' "$GAME_ERR"; then
        pass "display gone mid-game: status $GAME_STATUS ${took} ms after the X server ended"
    else
        fail "display gone mid-game: status $GAME_STATUS after ${took} ms: $(game_stderr)"
    fi
fi

# Escape held closes the game on the next half second, with status 0.
start_focused_game
sleep 1
now_ms
pressed_at=$NOW_MS
xdotool keydown Escape
wait_for_end 30
xdotool keyup Escape
took=$((GAME_ENDED_MS - pressed_at))
if [ "$GAME_STATUS" -eq 0 ] && [ "$took" -lt 3000 ]; then
    pass "escape closes with status 0 after ${took} ms"
else
    fail "escape: status $GAME_STATUS after ${took} ms: $(game_stderr)"
fi

finish
