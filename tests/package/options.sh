#!/usr/bin/env bash
# --version and --help answer on stdout with status 0; an unknown argument is refused in one line with status 2
# before any window, so it works with no display at all.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
exe="$BUILD/brindlewick"
out="$(cd / && env -u DISPLAY "$exe" --version 2>/dev/null)"
[ $? -eq 0 ] && [ "$out" = "brindlewick 1.0.0" ] && pass "--version" || fail "--version: $out"
out="$(cd / && env -u DISPLAY "$exe" --help 2>/dev/null)"
if [ $? -eq 0 ] && grep -q '^Usage: brindlewick' <<<"$out" && grep -q ALSOFT_DRIVERS <<<"$out"; then
    pass "--help"
else
    fail "--help: $out"
fi
err="$(cd / && env -u DISPLAY "$exe" --bogus 2>&1 >/dev/null)"
status=$?
if [ "$status" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q -- '--bogus.*--help' <<<"$err"; then
    pass "an unknown argument: status 2, one line"
else
    fail "an unknown argument: status $status, stderr: $err"
fi
finish
