#!/bin/sh
# Starts the installed game. The game reads its media from resources/ in its working directory, so run it from the
# data folder of the prefix this launcher is installed in: any prefix, a staged install or an unpacked package.
set -e
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
cd "$prefix/share/games/brindlewick"
exec "$prefix/lib/games/brindlewick/brindlewick" "$@"
