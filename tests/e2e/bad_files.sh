#!/usr/bin/env bash
# Every media file broken four ways: missing, empty, cut to half its bytes, and replaced by as many random bytes
# (the same bytes on every run). Each case runs on its own copy of resources/ in a temporary folder.
# - A picture, a sound or the font: one line on stderr starting "brindlewick: " that names the file, status 1,
#   within five seconds.
# - The base stem, which the game follows: the same, with a non-zero status.
# - The top or bottom stem: only that layer goes. The game says so on one line naming the file and plays on; Escape,
#   held from a second in, ends it on the next half second with status 0.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

FATAL_FILES=(images/player.PNG images/background.PNG images/region_selector.PNG images/time.PNG images/dust.PNG
             sounds/dash.wav sounds/zoop.wav sounds/blow.wav sounds/music_base.wav FreePixel.ttf)
LAYER_FILES=(sounds/music_top.wav sounds/music_bottom.wav)
KINDS=(missing empty truncated garbage)
LIMIT_S=5

# Breaks resources/<file> below the folder in the given way.
break_file() {
    local folder="$1" file="$2" kind="$3"
    local path="$folder/resources/$file"
    local size
    size=$(stat -c %s "$path")
    case "$kind" in
        missing) rm "$path" ;;
        empty) : >"$path" ;;
        truncated) truncate -s $((size / 2)) "$path" ;;
        garbage)
            python3 -c 'import random, sys
random.seed(sys.argv[1])
size = int(sys.argv[2])
sys.stdout.buffer.write(random.getrandbits(8 * size).to_bytes(size, "little"))' "$file" "$size" >"$path"
            ;;
    esac
}

# The game's own lines on stderr: exactly one, naming the file.
check_message() {
    local label="$1" file="$2"
    local lines
    lines="$(game_messages)"
    if [ "$(grep -c . <<<"$lines")" -ne 1 ]; then
        fail "$label: not one message of the game's own: $(game_stderr)"
        return 1
    fi
    if ! grep -qF "resources/$file" <<<"$lines"; then
        fail "$label: the message does not name resources/$file: $lines"
        return 1
    fi
}

# Starts the game on a fresh copy of the resources with one file broken. Sets label and folder, counts the case.
cases=0
start_broken_game() {
    local file="$1" kind="$2"
    cases=$((cases + 1))
    label="$kind $file"
    folder="$(fresh_game_folder)"
    break_file "$folder" "$file" "$kind"
    start_game "$folder"
}

for file in "${FATAL_FILES[@]}"; do
    for kind in "${KINDS[@]}"; do
        start_broken_game "$file" "$kind"
        wait_for_end "$LIMIT_S"
        took=$((GAME_ENDED_MS - GAME_STARTED_MS))
        expected=1
        if [ "$GAME_STATUS" -eq 137 ]; then
            fail "$label: still running after $LIMIT_S s"
        elif [ "$GAME_STATUS" -ne "$expected" ]; then
            fail "$label: status $GAME_STATUS (expected $expected): $(game_stderr)"
        elif check_message "$label" "$file"; then
            pass "$label: status 1 after $took ms: $(game_messages)"
        fi
        rm -rf "$folder"
    done
done

for file in "${LAYER_FILES[@]}"; do
    for kind in "${KINDS[@]}"; do
        start_broken_game "$file" "$kind"
        wait_for_window 10
        if [ -z "$WINDOW" ]; then
            wait_for_end "$LIMIT_S"
            fail "$label: no window (status $GAME_STATUS): $(game_stderr)"
            rm -rf "$folder"
            continue
        fi
        focus_window || fail "$label: the window did not take the keyboard focus"
        sleep 1
        game_running || fail "$label: the game did not play on"
        xdotool keydown Escape
        wait_for_end 3
        xdotool keyup Escape
        if [ "$GAME_STATUS" -ne 0 ]; then
            fail "$label: status $GAME_STATUS after Escape: $(game_stderr)"
        elif check_message "$label" "$file"; then
            pass "$label: played on and closed with status 0: $(game_messages)"
        fi
        rm -rf "$folder"
    done
done
echo "$cases cases"

finish
