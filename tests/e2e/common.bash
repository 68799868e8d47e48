# Shared helpers for the scripts that run the real game. Source it; $1 of the script is the executable,
# $2 the build folder that holds resources/.
set -u

EXE="$(readlink -f "$1")"
BUILD="$(readlink -f "$2")"
FAILURES=0
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}

pass() {
    echo "ok: $*"
}

# A fresh folder holding a copy of the game's resources/, to break on purpose.
fresh_game_folder() {
    local folder
    folder="$(mktemp -d -p "$WORK")"
    cp -r "$BUILD/resources" "$folder/"
    echo "$folder"
}

# The id of the game's window, once it is mapped (waits up to about 10 s).
game_window() {
    local id=""
    for _ in $(seq 1 100); do
        id="$(xdotool search --onlyvisible --name '^Brindlewick$' 2>/dev/null | head -n 1)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}

finish() {
    if [ "$FAILURES" -gt 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

# Plays the game and watches it with gamewatch.py (its sound recorded through OpenAL Soft's wave writer, its
# window grabbed, keys sent at chosen music positions); counts the scene's failed checks as this script's.
watch_game() {
    local scene="$1" log status failed
    log="$WORK/$scene.out"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/gamewatch.py" "$scene" "$EXE" "$BUILD" "$WORK" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    failed=$(grep -c '^FAIL:' "$log")
    FAILURES=$((FAILURES + failed))
    if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
        fail "gamewatch.py $scene stopped with status $status"
    fi
}
