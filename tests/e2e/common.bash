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
