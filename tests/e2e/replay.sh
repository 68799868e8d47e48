#!/usr/bin/env bash
# Recording and replaying the real game: a game played with keys and recorded replays with every frame's state
# matching; a game ended by SIGTERM leaves a file that replays to its last frame; bad files and paths are refused
# with one line and status 2.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

# Exactness: a whole game with dashes and the love circle, recorded, then checked.
recording="$WORK/game.rec"
start_focused_game --record "$recording"
for key in Right Down Left Up d s; do
    xdotool key --delay 0 "$key"
    sleep 0.35
done
xdotool keydown --delay 0 Shift_L
sleep 1.2
xdotool keyup --delay 0 Shift_L
wait_for_end 30
[ "$GAME_STATUS" -eq 0 ] && pass "the recorded game ended with its music" || fail "recording: status $GAME_STATUS"
size=$(stat -c %s "$recording")
[ "$(tail -n 1 "$recording")" = "end music" ] || fail "the recording does not end with its end line"
grep -q ' e:keydown:' "$recording" && grep -q ' S:dash' "$recording" ||
    fail "the recording holds no key presses or no dash"
[ "$size" -lt 1000000 ] && pass "a whole game's recording is $size bytes" || fail "the recording is $size bytes"
out="$(cd "$BUILD" && "$EXE" --replay "$recording" --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && [ -z "$out" ] && pass "every frame's state matches on --check" ||
    fail "--check: status $status: $out"

# The same recording rendered: one video frame for every sixtieth of a second of its music, give or take one.
clip="$WORK/game.mp4"
out="$(cd "$BUILD" && "$EXE" --render "$recording" --output "$clip" 2>&1)"
status=$?
music_us="$(grep -o -m 1 'd:base=[0-9]*' "$recording" | cut -d= -f2)"
expected=$(((music_us * 60 + 500000) / 1000000))
frames="$(ffprobe -v error -select_streams v:0 -count_packets -show_entries stream=nb_read_packets -of csv=p=0 \
    "$clip" 2>/dev/null)"
if [ "$status" -eq 0 ] && [ -n "$frames" ] && [ "$frames" -ge $((expected - 1)) ] &&
    [ "$frames" -le $((expected + 1)) ]; then
    pass "the recording renders to $frames video frames for ${music_us} us of music"
else
    fail "render of the recording: status $status, $frames frames for $expected expected: $out"
fi

# A changed digest is named by its frame and what differs, and the status is 1.
changed="$WORK/changed.rec"
sed '300s/# [0-9a-f]\{16\} [0-9a-f]\{8\}/# 0000000000000000 00000000/' "$recording" >"$changed"
out="$(cd "$BUILD" && "$EXE" --replay "$changed" --check 2>&1)"
status=$?
[ "$status" -eq 1 ] && grep -q "frame 294 (line 300) differs: player" <<<"$out" &&
    pass "a differing frame is named" || fail "changed digest: status $status: $out"

# SIGTERM while recording: the file ends "stopped" and replays to its last frame.
stopped="$WORK/stopped.rec"
(cd "$BUILD" && exec "$EXE" --record "$stopped" 2>/dev/null) &
GAME=$!
wait_for_window 10
sleep 2
kill -TERM "$GAME"
wait_for_end 10
[ "$GAME_STATUS" -eq 0 ] || fail "SIGTERM while recording: status $GAME_STATUS"
[ "$(tail -n 1 "$stopped")" = "end stopped" ] || fail "SIGTERM: the recording does not end \"end stopped\""
out="$(cd "$BUILD" && "$EXE" --replay "$stopped" --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && pass "a game stopped by SIGTERM replays" || fail "stopped recording: status $status: $out"

# Cut short: what is there replays, and the line where it stopped is named.
head -c $((size / 2)) "$recording" >"$WORK/cut.rec"
out="$(cd "$BUILD" && "$EXE" --replay "$WORK/cut.rec" --check 2>&1)"
status=$?
[ "$status" -eq 0 ] && grep -q "cut short; it stopped at line" <<<"$out" && pass "a file cut short replays" ||
    fail "cut short: status $status: $out"

# Refusals: one line, status 2, naming the file (and the line).
expect_usage() {
    local label="$1" pattern="$2" out status lines
    shift 2
    out="$(cd "$BUILD" && timeout 10 "$EXE" "$@" 2>&1)"
    status=$?
    lines=$(grep -c '' <<<"$out")
    if [ "$status" -eq 2 ] && [ "$lines" -eq 1 ] && grep -q -- "$pattern" <<<"$out"; then
        pass "$label"
    else
        fail "$label: status $status, output: $out"
    fi
}
printf 'brindlewick-replay 9\nseed 1\n' >"$WORK/v9.rec"
expect_usage "another version" "v9.rec: line 1: a recording of another format version" --replay "$WORK/v9.rec"
sed '10s/ t=[0-9]*/ t=zero/' "$recording" >"$WORK/damaged.rec"
expect_usage "a damaged line" "damaged.rec: line 10: a damaged word" --replay "$WORK/damaged.rec" --check
printf 'seed 3\n1.0 press Spacebar\n' >"$WORK/bad.script"
expect_usage "a script with an unknown key" 'bad.script: line 2: unknown key' --replay "$WORK/bad.script" --check
expect_usage "a file that cannot be created" '"/nonexistent/dir/game.rec": No such file or directory' \
    --record /nonexistent/dir/game.rec
expect_usage "a missing file" 'Cannot open the replay ".*none.rec": No such file or directory' --replay "$WORK/none.rec" \
    --check
expect_usage "a folder to replay" "Cannot open the replay \"$WORK\": is a folder" --replay "$WORK" --check
expect_usage "a folder to render" "Cannot read \"$WORK\": is a folder" --render "$WORK" --output "$WORK/x.mp4"
mkdir "$WORK/private" && chmod 700 "$WORK/private"
# A file where the player may not write, as a player who is not root (the folder is root's).
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    out="$(cd "$BUILD" && setpriv --reuid=65534 --regid=65534 --clear-groups "$EXE" --record "$WORK/private/g.rec" 2>&1)"
    status=$?
    [ "$status" -eq 2 ] && grep -q "\"$WORK/private/g.rec\": Permission denied" <<<"$out" &&
        pass "a file the player may not write: the system's reason" || fail "permission denied: status $status: $out"
fi
expect_usage "--check alone" '--check goes with --replay' --check
expect_usage "--record without a file" '--record needs a FILE' --record

finish
