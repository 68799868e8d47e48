#!/usr/bin/env bash
# Static analysis of our own sources with clang-tidy (checks in .clang-tidy) and cppcheck, using the compile
# commands of a configured build. Third-party headers (SFML, Google Test, the standard library) are not checked.
# Usage: scripts/lint.sh tidy|cppcheck|all [build-dir]    (the build dir defaults to build/, as in scripts/test.sh)
# Exits non-zero on any finding; ctest runs both halves as the tests lint.clang_tidy and lint.cppcheck.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
what="${1:-all}"
build="$(cd "${2:-${BRINDLEWICK_BUILD_DIR:-$root/build}}" && pwd)"
jobs="$(nproc)"

if [ ! -f "$build/compile_commands.json" ]; then
    echo "no $build/compile_commands.json: configure the build first (scripts/setup.sh test does)" >&2
    exit 1
fi

# Our sources, as the build compiles them, plus the fuzz target, which only its own script compiles (with clang++).
work="$build/lint"
mkdir -p "$work"
python3 - "$root" "$build" "$work/compile_commands.json" <<'EOF'
import json, os, re, sys
root, build, out = sys.argv[1:4]
ours = re.compile(re.escape(root) + r"/(app|render|assets|input|sprites|game|world|kit|replay|clip|settings|calibrate|tools|tests|bench)/")
with open(os.path.join(build, "compile_commands.json")) as f:
    entries = [e for e in json.load(f) if ours.match(e["file"])]
fuzz = os.path.join(root, "tests/fuzz/AnimationFileFuzz.cpp")
entries.append({"directory": build, "file": fuzz,
                "command": f"c++ -I{root} -std=c++17 -Wall -Wextra -Wpedantic -c {fuzz}"})
with open(out, "w") as f:
    json.dump(entries, f, indent=1)
EOF

need() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "$1 not found: scripts/setup.sh test installs it" >&2
        exit 1
    fi
}

run_tidy() {
    need clang-tidy
    local logs="$work/tidy"
    rm -rf "$logs"
    mkdir -p "$logs"
    local files
    mapfile -t files < <(python3 -c 'import json, sys; print("\n".join(e["file"] for e in json.load(open(sys.argv[1]))))' \
                             "$work/compile_commands.json")
    echo "clang-tidy: ${#files[@]} files, $jobs at a time"
    # One log per file, so parallel runs do not interleave their findings; only files with findings leave one.
    printf '%s\n' "${files[@]}" |
        xargs -P "$jobs" -I{} bash -c \
            'log="$2/$(echo "$3" | tr / _).log"; clang-tidy -p "$1" --quiet "$3" >"$log" 2>&1 && rm "$log"; exit 0' \
            _ "$work" "$logs" {}
    local found
    found=("$logs"/*.log)
    if [ -e "${found[0]}" ]; then
        cat "${found[@]}"
        echo "clang-tidy: findings in ${#found[@]} file(s)"
        return 1
    fi
    echo "clang-tidy: clean"
}

run_cppcheck() {
    need cppcheck
    mkdir -p "$work/cppcheck"
    # Deliberate choices:
    #   warning,performance,portability  real faults and slow code; the style group is left to clang-tidy, whose
    #                                    naming and modernize checks cover it with fewer opinions.
    #   --inconclusive                   our code base is small enough to read every "maybe".
    #   --library=sfml,googletest        teaches cppcheck SFML's and Google Test's macros and functions.
    # Suppressed:
    #   *:/usr/include/*                 OpenAL's headers come in through -I/usr/include/AL; they are not ours.
    # Findings in our code that are false positives are suppressed on their line with a comment saying why.
    if ! cppcheck --project="$work/compile_commands.json" --cppcheck-build-dir="$work/cppcheck" -j "$jobs" --quiet \
        --std=c++17 --enable=warning,performance,portability --inconclusive --library=sfml --library=googletest \
        --inline-suppr --suppress='*:/usr/include/*' \
        --error-exitcode=1 --template='{file}:{line}:{column}: {severity}: {message} [{id}]'; then
        echo "cppcheck: findings above"
        return 1
    fi
    echo "cppcheck: clean"
}

status=0
case "$what" in
tidy) run_tidy || status=1 ;;
cppcheck) run_cppcheck || status=1 ;;
all)
    run_tidy || status=1
    run_cppcheck || status=1
    ;;
*)
    echo "usage: scripts/lint.sh tidy|cppcheck|all [build-dir]" >&2
    exit 2
    ;;
esac
exit "$status"
