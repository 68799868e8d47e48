#!/usr/bin/env bash
# The player's settings in the real game: the sound's volumes (through OpenAL Soft's wave writer), keys of the
# player's own, and recordings that replay exactly without the settings they were played with.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
watch_game volumes settings_watch.py

export ALSOFT_DRIVERS=null
# Love on Space, in a window of twice the canvas and with an audio offset: Shift held for a beat and more opens
# nothing, Space held as long opens the love circle (its sound starts in the recording).
settings="$WORK/space.toml"
printf '[controls]\nlove = ["Space"]\n[display]\nscale = 2\n[audio]\noffset_ms = 120\n' >"$settings"
recording="$WORK/space.rec"
start_focused_game --settings "$settings" --record "$recording"
size="$(timeout 5 xdotool getwindowgeometry "$WINDOW" 2>/dev/null | grep -o 'Geometry: [0-9x]*')"
[ "$size" = "Geometry: 600x400" ] && pass "scale = 2: a 600x400 window" || fail "scale = 2: $size"
sleep 1
for key in Shift_L space; do
    xdotool keydown --delay 0 "$key"
    sleep 1.3
    xdotool keyup --delay 0 "$key"
    sleep 0.8
done
xdotool keydown --delay 0 Escape
wait_for_end 10
release_keys
[ "$GAME_STATUS" -eq 0 ] || fail "the remapped game: status $GAME_STATUS: $(game_stderr)"
# SFML's codes: LShift 38, Space 57. The love's sound (zoop) starts only after Space goes down.
loves="$(awk '/ e:keydown:38:/ { key = "shift" } / e:keydown:57:/ { key = "space" }
              / S:zoop/ { print key }' "$recording" | sort | uniq -c | tr -s ' ' | tr '\n' ',')"
[ "$loves" = " 1 space," ] && pass "love = [\"Space\"]: Space opens the love circle and Shift does not" ||
    fail "love sounds after each key: \"$loves\""
grep -q '^controls .*love=Space ' "$recording" && grep -q '^offset 120000$' "$recording" &&
    pass "the recording holds the controls and the offset it was played by" ||
    fail "the recording's head: $(head -n 4 "$recording" | tr '\n' '|')"
out="$(cd "$BUILD" && XDG_CONFIG_HOME="$WORK/nobody" "$EXE" --replay "$recording" --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && [ -z "$out" ] && pass "it replays and checks the same with no settings file" ||
    fail "replayed without its settings: status $status: $out"

# A settings file with mistakes: a line each, and the game plays by the rest.
printf '[display]\nscale = 99\n[sound]\nmuted = "no"\nvolume = 3\n' >"$WORK/wrong.toml"
start_game "$BUILD" -- --settings "$WORK/wrong.toml"
wait_for_window 10
sleep 1
kill -TERM "$GAME" 2>/dev/null
wait_for_end 10
lines="$(game_messages)"
if [ "$(grep -c "wrong.toml:[0-9]*: " <<<"$lines")" -eq 3 ] && [ -n "$WINDOW" ]; then
    pass "three mistakes in the settings, three lines, and the game plays"
else
    fail "settings with mistakes: window \"$WINDOW\", messages: $(tr '\n' '|' <<<"$lines")"
fi
finish
