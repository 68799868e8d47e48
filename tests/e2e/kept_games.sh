#!/usr/bin/env bash
# Every game played is kept without being asked: two games give two files in $XDG_STATE_HOME/brindlewick/games/,
# --record FILE writes FILE and keeps the game too, and "last" replays the newest. A folder that cannot be written
# costs one warning line, never the game.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null
state="$WORK/state"
games="$state/brindlewick/games"

# Plays a game from the build folder for about a second after its window appears, then ends it as Ctrl+C would.
short_game() {
    start_game "$BUILD" "$@"
    wait_for_window 10
    [ -n "$WINDOW" ] || fail "no window: $(game_stderr)"
    sleep 1
    kill -INT "$GAME" 2>/dev/null
    wait_for_end 10
}

short_game XDG_STATE_HOME="$state"
short_game XDG_STATE_HOME="$state" -- --record "$WORK/mine.rec"
kept=$(find "$games" -name '*.rec' | wc -l)
partial=$(find "$games" -name '*.partial' | wc -l)
[ "$kept" -eq 2 ] && [ "$partial" -eq 0 ] && pass "two games, two kept: $(ls "$games" | tr '\n' ' ')" ||
    fail "kept $kept games and $partial partial files: $(ls -la "$games" 2>&1)"
newest="$games/$(ls "$games" | sort | tail -n 1)"
cmp -s "$newest" "$WORK/mine.rec" && pass "--record FILE writes FILE and the kept game alike" ||
    fail "the kept game differs from --record's file"
[ "$(tail -n 1 "$newest")" = "end stopped" ] || fail "the kept game does not end \"end stopped\""
out="$(cd "$BUILD" && XDG_STATE_HOME="$state" "$EXE" --replay last --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && [ -z "$out" ] && pass "--replay last --check" || fail "--replay last: status $status: $out"

# Nothing kept yet: "last" names no game, and says where it looked.
out="$(cd "$BUILD" && XDG_STATE_HOME="$WORK/none" "$EXE" --replay last --check 2>&1)"
status=$?
[ "$status" -eq 2 ] && grep -q "for \"last\" to name; none is in \"$WORK/none/brindlewick/games\"" <<<"$out" &&
    pass "\"last\" with no kept game: status 2, one line" || fail "\"last\" with none kept: status $status: $out"

# A state folder below a plain file cannot be made: one warning, and the game plays to its end.
touch "$WORK/file"
start_game "$BUILD" XDG_STATE_HOME="$WORK/file"
wait_for_window 10
wait_for_end 30
lines="$(game_messages)"
if [ "$GAME_STATUS" -eq 0 ] && [ "$(grep -c '' <<<"$lines")" -eq 1 ] &&
    grep -q "Cannot make the folder of kept games \"$WORK/file/brindlewick/games\": Not a directory; this game is not kept" \
        <<<"$lines"; then
    pass "an unwritable state folder: one warning, the whole game, status 0"
else
    fail "unwritable state folder: status $GAME_STATUS: $lines"
fi
finish
