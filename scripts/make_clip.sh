#!/usr/bin/env bash
# Remakes the README's gameplay clip: renders docs/clip.script with --render, then turns its first seconds into a
# small looping GIF (docs/clip.gif) at the canvas's own size (every third pixel of the enlarged picture) and 12 frames a second.
# Usage: scripts/make_clip.sh [BUILD_DIR]   (needs a display, or xvfb-run, and ffmpeg's command-line tool)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(readlink -f "${1:-$root/build}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run=()
if [ -z "${DISPLAY:-}" ]; then
    run=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
(cd "$build" && "${run[@]}" ./brindlewick --render "$root/docs/clip.script" --output "$work/clip.mp4")
# One palette for the whole clip keeps the pixel art's flat colours flat.
ffmpeg -v error -y -t 3 -i "$work/clip.mp4" \
    -vf "fps=12,scale=300:200:flags=neighbor,split[a][b];[a]palettegen=max_colors=32[p];[b][p]paletteuse=dither=none:diff_mode=rectangle" \
    -loop 0 "$root/docs/clip.gif"
ls -l "$root/docs/clip.gif"
