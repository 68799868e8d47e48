#!/bin/sh
# Starts the installed game. The game reads its media from resources/ in its working directory, so run it from the
# data folder of the prefix this launcher is installed in: any prefix, a staged install or an unpacked package.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
data="$prefix/share/games/brindlewick"
if ! cd "$data" 2>/dev/null; then
    echo "brindlewick: cannot find the game's data folder \"$data\"" >&2
    exit 1
fi
exec "$prefix/lib/games/brindlewick/brindlewick" "$@"
