#!/usr/bin/env bash
# --version and --help answer on stdout with status 0, and every option --help names is in the man page and the
# README; an unknown argument is refused in one line with status 2 before any window, so it works with no display.
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
# Every option the help names is in the man page and the README.
options="$(grep -oE -- '--[a-z][a-z-]+' <<<"$out" | sort -u)"
man_text="$(MANWIDTH=200 man -l "$SRC/dist/brindlewick.6" 2>/dev/null)"
missing=""
for option in $options; do
    grep -qF -- "$option" <<<"$man_text" || missing+=" $option (man page)"
    grep -qF -- "$option" "$SRC/README.md" || missing+=" $option (README)"
done
[ -n "$options" ] && [ -z "$missing" ] && pass "the man page and the README name every option: $(echo $options)" ||
    fail "options the help names but the documents do not:$missing"
err="$(cd / && env -u DISPLAY "$exe" --bogus 2>&1 >/dev/null)"
status=$?
if [ "$status" -eq 2 ] && [ "$(wc -l <<<"$err")" -eq 1 ] && grep -q -- '--bogus.*--help' <<<"$err"; then
    pass "an unknown argument: status 2, one line"
else
    fail "an unknown argument: status $status, stderr: $err"
fi
finish
