#!/usr/bin/env bash
# --render of an input script: an MP4 a browser plays (H.264 and AAC, 60 frames a second, 900x600, as long as the
# game's music within one video frame), made with no audio device and nothing said on a stderr that is no terminal.
# An existing output is kept unless --force is given; a missing or unreadable input is named. Each refusal is one
# line and status 2.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
# No audio output at all: rendering must not need one.
export ALSOFT_DRIVERS=no-such-driver

cat >"$WORK/game.txt" <<'SCRIPT'
seed 3
0.40 press Right
1.30 down LShift
2.60 up LShift
3.10 press Down
SCRIPT

probe() {
    ffprobe -v error -select_streams "$1" -show_entries "$2" -of default=noprint_wrappers=1:nokey=1 "$3"
}

render() {
    (cd "$BUILD" && timeout 300 "$EXE" "$@")
}

clip="$WORK/clip.mp4"
err="$(render --render "$WORK/game.txt" --output "$clip" 2>&1 >/dev/null)"
status=$?
if [ "$status" -eq 0 ] && [ -s "$clip" ] && [ -z "$err" ]; then
    pass "rendered without an audio device, quietly"
else
    fail "render: status $status, stderr: $err"
fi

[ "$(probe v:0 stream=codec_name "$clip")" = h264 ] && pass "video is H.264" || fail "video codec"
[ "$(probe a:0 stream=codec_name "$clip")" = aac ] && pass "audio is AAC" || fail "audio codec"
[ "$(probe v:0 stream=pix_fmt "$clip")" = yuv420p ] && pass "yuv420p" || fail "pixel format"
[ "$(probe v:0 stream=width,height "$clip" | tr '\n' x)" = 900x600x ] && pass "900x600" || fail "size"
[ "$(probe v:0 stream=r_frame_rate "$clip")" = 60/1 ] && pass "60 frames a second" || fail "frame rate"
[ "$(probe v:0 stream=avg_frame_rate "$clip")" = 60/1 ] && pass "a constant frame rate" || fail "average rate"

# The game lasts as long as its base stem.
length="$(soxi -D "$BUILD/resources/sounds/music_base.wav")"
for stream in v:0 a:0; do
    duration="$(probe "$stream" stream=duration "$clip")"
    if python3 -c "import sys; sys.exit(0 if abs($duration - $length) <= 1 / 60 + 1e-6 else 1)"; then
        pass "$stream lasts the game ($duration s of $length s)"
    else
        fail "$stream lasts $duration s, the game $length s"
    fi
done

# Refusals: the output is kept, the input named, one line each.
expect_render_refusal() {
    local label="$1" pattern="$2"
    shift 2
    local out status
    out="$(render "$@" 2>&1)"
    status=$?
    if [ "$status" -eq 2 ] && [ "$(wc -l <<<"$out")" -eq 1 ] && grep -q -- "$pattern" <<<"$out"; then
        pass "$label"
    else
        fail "$label: status $status, said: $out"
    fi
}

before="$(md5sum <"$clip")"
expect_render_refusal "an existing output is refused" "$clip" --render "$WORK/game.txt" --output "$clip"
[ "$(md5sum <"$clip")" = "$before" ] && pass "the existing output is untouched" || fail "the output changed"
expect_render_refusal "a missing input is named" "$WORK/missing.txt" --render "$WORK/missing.txt" --output "$WORK/b.mp4"
printf 'not a game at all\n' >"$WORK/other.txt"
expect_render_refusal "a file of another format is named" "$WORK/other.txt" --render "$WORK/other.txt" \
    --output "$WORK/c.mp4"
[ ! -e "$WORK/b.mp4" ] && [ ! -e "$WORK/c.mp4" ] && pass "a refused render leaves no file" || fail "a file was left"

render --render "$WORK/game.txt" --output "$clip" --force 2>/dev/null
status=$?
[ "$status" -eq 0 ] && [ "$(probe v:0 stream=codec_name "$clip")" = h264 ] && pass "--force replaces the output" ||
    fail "--force: status $status"

finish
