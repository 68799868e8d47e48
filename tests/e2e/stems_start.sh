#!/usr/bin/env bash
# Every set of stems that opens starts on its first sample, at its volume, together: all three, the base with only
# one of its layers, and the base alone. Each start plays stems that all carry the same sharp accents (one at the
# first sample, then every half second) and records the output with OpenAL Soft's wave writer; the first accent
# must come out as loud and as sharp as the second, which follows it by exactly half a second.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
here="$(dirname "${BASH_SOURCE[0]}")"
STARTS="${STARTS:-10}"

stem="$WORK/accents.wav"
/usr/bin/python3 "$here/first_sample.py" make "$stem" 3

for set in "all three" "no top" "no bottom" "base alone"; do
    folder="$(fresh_game_folder)"
    sounds="$folder/resources/sounds"
    for name in music_base music_top music_bottom; do
        cp "$stem" "$sounds/$name.wav"
    done
    case "$set" in
    "no top") rm "$sounds/music_top.wav" ;;
    "no bottom") rm "$sounds/music_bottom.wav" ;;
    "base alone") rm "$sounds/music_top.wav" "$sounds/music_bottom.wav" ;;
    esac
    clean=0
    faults=""
    for start in $(seq 1 "$STARTS"); do
        output="$WORK/out.wav"
        rm -f "$output"
        printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$output" >"$WORK/wave.conf"
        start_game "$folder" -u ALSOFT_DRIVERS ALSOFT_CONF="$WORK/wave.conf"
        wait_for_end 15
        verdict="$(/usr/bin/python3 "$here/first_sample.py" judge "$output" 2>&1)"
        if [ "$GAME_STATUS" -eq 0 ] && [ "$verdict" = clean ]; then
            clean=$((clean + 1))
        else
            faults="$faults|start $start: status $GAME_STATUS, $verdict"
        fi
    done
    if [ "$clean" -eq "$STARTS" ]; then
        pass "$set: $clean of $STARTS starts clean"
    else
        fail "$set: $clean of $STARTS starts clean$faults"
    fi
done
finish
