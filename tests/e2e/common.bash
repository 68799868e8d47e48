# Shared helpers for the scripts that run the real game. Source it; $1 of the script is the executable,
# $2 the build folder that holds resources/.
set -u

EXE="$(readlink -f "$1")"
BUILD="$(readlink -f "$2")"
FAILURES=0
WORK="$(mktemp -d)"
HOLDER=""
GAME=""

# Whatever a script started in the background and has not yet waited for (a game, a helper, the display holder
# below) goes with it; processes already waited for are not in the shell's job table, so no other process is hit.
# (Scripts wait for their own processes by id: a bare `wait` would also wait for the holder, which runs to the end.)
cleanup() {
    local job
    for job in $(jobs -p); do
        kill "$job" 2>/dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}

pass() {
    echo "ok: $*"
}

# Runs the game to its refusal and expects status 1 and a line matching the pattern (grep's basic regular
# expressions). The arguments after the folder go to env before the game (NAME=value, or -u NAME).
expect_refusal() {
    local label="$1" pattern="$2" folder="$3" out status
    shift 3
    out="$(cd "$folder" && env "$@" timeout 10 "$EXE" 2>&1)"
    status=$?
    if [ "$status" -eq 1 ] && grep -q -- "$pattern" <<<"$out"; then
        pass "$label"
    else
        fail "$label: status $status, output: $out"
    fi
}

# A fresh folder holding a copy of the game's resources/, to break on purpose.
fresh_game_folder() {
    local folder
    folder="$(mktemp -d -p "$WORK")"
    cp -r "$BUILD/resources" "$folder/"
    echo "$folder"
}

finish() {
    if [ "$FAILURES" -gt 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

# Plays the game and watches it with gamewatch.py, or the watcher named second (its sound recorded through OpenAL
# Soft's wave writer, its window grabbed, keys sent at chosen music positions); counts the scene's failed checks as
# this script's.
watch_game() {
    local scene="$1" watcher="${2:-gamewatch.py}" log status failed
    log="$WORK/$scene.out"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/$watcher" "$scene" "$EXE" "$BUILD" "$WORK" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    failed=$(grep -c '^FAIL:' "$log")
    FAILURES=$((FAILURES + failed))
    if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
        fail "$watcher $scene stopped with status $status"
    fi
}

# --- Timing, a game in the background, its window, memory and keys ---

# The wall clock in milliseconds, without starting a process.
now_ms() {
    local micro="${EPOCHREALTIME//[.,]/}"
    NOW_MS=$((micro / 1000))
}

# Sets NOW_MS, and DEADLINE_MS to the given number of seconds later.
deadline_after() {
    now_ms
    DEADLINE_MS=$((NOW_MS + $1 * 1000))
}

# Starts the game in the background from the given folder. The arguments after the folder are environment settings
# (NAME=value), then, after a --, the game's own arguments. Sets GAME (its process id), GAME_STARTED_MS and GAME_ERR
# (the file that collects its stderr).
start_game() {
    local folder="$1" settings=()
    shift
    while [ "$#" -gt 0 ] && [ "$1" != -- ]; do
        settings+=("$1")
        shift
    done
    [ "$#" -eq 0 ] || shift
    GAME_ERR="$(mktemp -p "$WORK" stderr.XXXXXX)"
    (cd "$folder" && exec env "${settings[@]}" "$EXE" "$@" 2>"$GAME_ERR") &
    GAME=$!
    now_ms
    GAME_STARTED_MS=$NOW_MS
}

# Starts the game from the build folder, with the given arguments, and waits for its window and the keyboard focus.
# A game that shows no window ends the script as failed.
start_focused_game() {
    start_game "$BUILD" -- "$@"
    wait_for_window 10
    if [ -z "$WINDOW" ]; then
        wait_for_end 5
        fail "no window (status $GAME_STATUS): $(game_stderr)"
        finish
    fi
    focus_window || fail "the window did not take the keyboard focus"
}

# Whether the game still runs (a stopped one counts as running; one that has ended but is not yet waited for does
# not).
game_running() {
    local state=""
    { read -r _ _ state _ <"/proc/$GAME/stat"; } 2>/dev/null
    [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

# Waits up to the given seconds for the game's own window (found by its process id) to be mapped. Sets WINDOW (empty
# when none came or the game ended first) and WINDOW_SHOWN_MS.
wait_for_window() {
    deadline_after "$1"
    WINDOW=""
    while [ -z "$WINDOW" ] && game_running && [ "$NOW_MS" -lt "$DEADLINE_MS" ]; do
        WINDOW="$(timeout 5 xdotool search --onlyvisible --pid "$GAME" --name '^Brindlewick$' 2>/dev/null | head -n 1)"
        now_ms
        [ -z "$WINDOW" ] && sleep 0.02
    done
    WINDOW_SHOWN_MS=$NOW_MS
}

# Reads the game's resident memory now, in kB, into RSS_KB (empty when the game has gone).
read_memory() {
    local key value rest
    RSS_KB=""
    { while read -r key value rest; do
        [ "$key" = VmRSS: ] && RSS_KB=$value
    done <"/proc/$GAME/status"; } 2>/dev/null
}

# Waits for the game to end, at most the given seconds from now; a game still running then is killed (status 137).
# Checks every 20 ms and reads the resident memory each time: PEAK_KB is the largest reading, and when SAMPLE_AT_MS
# (EARLY_SAMPLE_AT_MS) is set, SAMPLED_RSS_KB (EARLY_RSS_KB) is the first reading at or after that time. Sets
# GAME_STATUS and GAME_ENDED_MS.
wait_for_end() {
    deadline_after "$1"
    SAMPLED_RSS_KB=""
    EARLY_RSS_KB=""
    PEAK_KB=""
    while game_running; do
        now_ms
        if [ "$NOW_MS" -ge "$DEADLINE_MS" ]; then
            kill -KILL "$GAME" 2>/dev/null
            break
        fi
        read_memory
        [ -n "$RSS_KB" ] && { [ -z "$PEAK_KB" ] || [ "$RSS_KB" -gt "$PEAK_KB" ]; } && PEAK_KB=$RSS_KB
        if [ -n "$RSS_KB" ] && [ -n "${EARLY_SAMPLE_AT_MS:-}" ] && [ -z "$EARLY_RSS_KB" ] &&
            [ "$NOW_MS" -ge "$EARLY_SAMPLE_AT_MS" ]; then
            EARLY_RSS_KB=$RSS_KB
        fi
        if [ -n "$RSS_KB" ] && [ -n "${SAMPLE_AT_MS:-}" ] && [ -z "$SAMPLED_RSS_KB" ] && [ "$NOW_MS" -ge "$SAMPLE_AT_MS" ]; then
            SAMPLED_RSS_KB=$RSS_KB
        fi
        sleep 0.02
    done
    now_ms
    GAME_ENDED_MS=$NOW_MS
    wait "$GAME"
    GAME_STATUS=$?
}

# The game's stderr, on one line, for failure messages.
game_stderr() {
    tr '\n' '|' <"$GAME_ERR"
}

# The lines of the game's stderr other than the one notice Xvfb's OpenGL always causes, on one line; empty when
# the game wrote nothing else.
unexpected_output() {
    grep -v '^Setting vertical sync not supported$' "$GAME_ERR" | tr '\n' '|'
}

# Expects the game, already waited for, to have ended on its own with status 0 at most LONGEST_MS after its window
# appeared, and to have written nothing unexpected.
expect_own_end() {
    local label="$1" what="$2" took unexpected
    took=$((GAME_ENDED_MS - WINDOW_SHOWN_MS))
    if [ "$GAME_STATUS" -eq 0 ] && [ "$took" -le "$LONGEST_MS" ]; then
        pass "$what, ${took} ms after its window appeared"
    else
        fail "$label: status $GAME_STATUS after ${took} ms: $(game_stderr)"
    fi
    unexpected="$(unexpected_output)"
    [ -z "$unexpected" ] || fail "$label: unexpected output: $unexpected"
}

# The lines of the game's stderr that it wrote itself (SFML and OpenAL write their own, without the prefix).
game_messages() {
    grep '^brindlewick: ' "$GAME_ERR"
}

# CPU time the game has used so far, in clock ticks (user and system, all its threads).
cpu_ticks() {
    local fields
    { read -r -a fields <"/proc/$GAME/stat"; } 2>/dev/null || return 1
    echo $((fields[13] + fields[14]))
}

# A fingerprint of what the game's window shows now. Calls to the X server here and below are bounded: a client whose
# connection this Xvfb drops, or a focus that never comes, would otherwise hold the script until ctest's timeout,
# with nothing said.
window_picture() {
    timeout 10 import -window "$WINDOW" rgb:- 2>/dev/null | md5sum | cut -d ' ' -f 1
}

# Gives the game's window the keyboard focus, so that xdotool's key presses (sent through the XTEST extension, as a
# keyboard would) reach it.
focus_window() {
    timeout 5 xdotool windowfocus --sync "$WINDOW" 2>/dev/null
    [ "$(timeout 5 xdotool getwindowfocus 2>/dev/null)" = "$WINDOW" ]
}

# Every key the game binds except Escape, as xdotool names them.
PLAY_KEYS=(Up Down Left Right w a s d Shift_L Shift_R)

# Lets go of every key a script may have held.
release_keys() {
    timeout 5 xdotool keyup --delay 0 "${PLAY_KEYS[@]}" Escape 2>/dev/null
}

# An X server started without -noreset (as a plain xvfb-run starts it) resets when its last client leaves, and
# refuses the clients that connect meanwhile: a game started right after another could not open its display. So a
# script holds a connection of its own while it runs: a silent xev on the root window, known to be connected once
# it has seen a property the script sets on the root window. Until then the server may be resetting, and the
# holder or the property setter may be refused; they are started again until it is held.
hold_display() {
    [ -n "${DISPLAY:-}" ] || return 0
    local log="$WORK/holder.log" attempt
    for attempt in $(seq 1 40); do
        stdbuf -oL xev -root -event property >"$log" 2>&1 &
        HOLDER=$!
        for _ in $(seq 1 10); do
            xprop -root -f _BRINDLEWICK_E2E 8s -set _BRINDLEWICK_E2E "$attempt" 2>/dev/null
            if grep -q _BRINDLEWICK_E2E "$log"; then
                xprop -root -remove _BRINDLEWICK_E2E 2>/dev/null
                return 0
            fi
            kill -0 "$HOLDER" 2>/dev/null || break
            sleep 0.05
        done
        kill "$HOLDER" 2>/dev/null
        wait "$HOLDER" 2>/dev/null
        HOLDER=""
    done
    echo "could not hold a connection to the display $DISPLAY" >&2
}
hold_display
