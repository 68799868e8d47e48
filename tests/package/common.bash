# Shared helpers for the package checks. Source it; $1 is the source folder, $2 the build folder.
set -u
SRC="$(readlink -f "$1")"
BUILD="$(readlink -f "$2")"
DEB="$BUILD/brindlewick_1.0.0_amd64.deb"
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

finish() {
    if [ "$FAILURES" -gt 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

# Starts the launcher of an install below ROOT/usr from / and expects it to play the whole game (its music is 14 s)
# and end with status 0, and to print the version line.
play_installed() {
    local label="$1" launcher="$2/usr/games/brindlewick" out status
    out="$(cd / && "$launcher" --version 2>&1)"
    [ "$out" = "brindlewick 1.0.0" ] && pass "$label: --version" || fail "$label: --version printed: $out"
    local started=$SECONDS
    out="$(cd / && ALSOFT_DRIVERS=null timeout 40 "$launcher" 2>&1)"
    status=$?
    local took=$((SECONDS - started))
    if [ "$status" -eq 0 ] && [ "$took" -ge 13 ]; then
        pass "$label: a whole game played and ended with status 0 after ${took} s"
    else
        fail "$label: status $status after ${took} s: $out"
    fi
}
