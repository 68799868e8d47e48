#!/bin/sh
# Starts the installed game with the media of the prefix this launcher is installed in: any prefix, a staged install
# or an unpacked package. The game stays in the folder it was started from, so every file the player names is
# theirs, where they are. A BRINDLEWICK_DATA of the player's own is kept.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
BRINDLEWICK_DATA="${BRINDLEWICK_DATA:-$prefix/share/games/brindlewick}"
export BRINDLEWICK_DATA
exec "$prefix/lib/games/brindlewick/brindlewick" "$@"
