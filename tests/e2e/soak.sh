#!/usr/bin/env bash
# Twenty whole games back to back, each played with its own stream of key presses and releases (every bound key
# but Escape, several at once, a Shift held across beats), sent through XTEST to the focused window. Each game must
# end on its own with status 0 when its music ends, no later than the music (14 s) plus one second after its window
# appeared, and with its resident memory 13.5 s after the window appeared within 2 MiB of the first game's. Within
# each game the resident memory may not grow by more than 1 MiB from 3 s to 13.5 s either: a leak in every frame
# would be the same in every game, and only this shows it.
# A game's length is measured from its window appearing (found by polling every 20 ms, so the measure can only come
# out short, never long) to the end of its process; that it did not end before its music is measured from the
# process start, which is exact. Start-up (process start to window) is printed beside them.
#
# glibc's malloc is held to its starting thresholds (128 KiB) for the soak. By default it raises them the first time
# a large block it had mapped is freed; from then on blocks of that size come from the main heap and stay resident
# once freed. When that happens depends on timing, so equal games, even without any input, ended 1 to 3 MiB apart
# in steps of about 1 MiB. With the thresholds fixed, freed large blocks go back to the system, the resident memory
# follows what is in use, and games end within a few hundred KiB of each other.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null
export MALLOC_MMAP_THRESHOLD_=131072 MALLOC_TRIM_THRESHOLD_=131072

GAMES=${SOAK_GAMES:-20}
MUSIC_MS=14000
LONGEST_MS=$((MUSIC_MS + 1000))
SAMPLE_MS=13500
EARLY_SAMPLE_MS=3000
SPREAD_KB=2048
GROWTH_KB=1024

# Plays keys on the focused window until the game ends (or 16 s have passed). Every step is one xdotool call: one
# key, or two or three together, toggled (pressed when up, released when down); a Shift is held at least 0.6 s, so
# across a half-second beat. Prints the number of key events sent.
play_keys() {
    local seed="$1"
    RANDOM=$seed
    local -A down=() earliest=()
    local events=0 started key count i
    local -a args
    now_ms
    started=$NOW_MS
    while game_running && [ $((NOW_MS - started)) -lt 16000 ]; do
        count=1
        [ $((RANDOM % 4)) -eq 0 ] && count=$((2 + RANDOM % 2))
        args=()
        for ((i = 0; i < count; i++)); do
            key=${PLAY_KEYS[RANDOM % ${#PLAY_KEYS[@]}]}
            case " ${args[*]} " in *" $key "*) continue ;; esac
            if [ -n "${down[$key]:-}" ]; then
                [ "$NOW_MS" -lt "${earliest[$key]:-0}" ] && continue
                args+=(keyup --delay 0 "$key")
                unset "down[$key]"
            else
                args+=(keydown --delay 0 "$key")
                down[$key]=1
                case "$key" in Shift_*) earliest[$key]=$((NOW_MS + 600 + RANDOM % 900)) ;; esac
            fi
        done
        if [ "${#args[@]}" -gt 0 ]; then
            xdotool "${args[@]}" 2>/dev/null
            events=$((events + ${#args[@]} / 4))
        fi
        sleep "0.0$((2 + RANDOM % 8))"
        now_ms
    done
    release_keys
    echo "$events"
}

first_rss=""
min_rss="" max_rss=""
longest=0
max_growth=-999999
for seed in $(seq 1 "$GAMES"); do
    start_game "$BUILD"
    wait_for_window 10
    if [ -z "$WINDOW" ]; then
        wait_for_end 5
        fail "game $seed: no window (status $GAME_STATUS): $(game_stderr)"
        continue
    fi
    startup=$((WINDOW_SHOWN_MS - GAME_STARTED_MS))
    focus_window || fail "game $seed: the window did not take the keyboard focus"
    keys_file="$(mktemp -p "$WORK")"
    play_keys "$seed" >"$keys_file" &
    keys=$!
    SAMPLE_AT_MS=$((WINDOW_SHOWN_MS + SAMPLE_MS))
    EARLY_SAMPLE_AT_MS=$((WINDOW_SHOWN_MS + EARLY_SAMPLE_MS))
    wait_for_end 20
    wait "$keys"
    took=$((GAME_ENDED_MS - WINDOW_SHOWN_MS))
    lived=$((GAME_ENDED_MS - GAME_STARTED_MS))
    [ "$took" -gt "$longest" ] && longest=$took
    line="game $seed: status $GAME_STATUS, start-up ${startup} ms, ${took} ms from window to end, $(cat "$keys_file") key events, RSS at 3 s ${EARLY_RSS_KB:-?} kB, at 13.5 s ${SAMPLED_RSS_KB:-?} kB, largest seen ${PEAK_KB:-?} kB"

    problems=()
    [ "$GAME_STATUS" -eq 0 ] || problems+=("status $GAME_STATUS")
    [ "$lived" -ge "$MUSIC_MS" ] || problems+=("ended before its music")
    [ "$took" -le "$LONGEST_MS" ] || problems+=("longer than its music plus one second")
    unexpected="$(unexpected_output)"
    [ -z "$unexpected" ] || problems+=("unexpected output: $unexpected")
    if [ -z "$SAMPLED_RSS_KB" ] || [ -z "$EARLY_RSS_KB" ]; then
        problems+=("no memory sample at 3 s or 13.5 s")
    else
        growth=$((SAMPLED_RSS_KB - EARLY_RSS_KB))
        [ "$growth" -le "$GROWTH_KB" ] || problems+=("memory grew by ${growth} kB from 3 s to 13.5 s")
        [ "$growth" -gt "$max_growth" ] && max_growth=$growth
        [ -z "$first_rss" ] && first_rss=$SAMPLED_RSS_KB
        [ -z "$min_rss" ] || [ "$SAMPLED_RSS_KB" -lt "$min_rss" ] && min_rss=$SAMPLED_RSS_KB
        [ -z "$max_rss" ] || [ "$SAMPLED_RSS_KB" -gt "$max_rss" ] && max_rss=$SAMPLED_RSS_KB
        drift=$((SAMPLED_RSS_KB - first_rss))
        [ "${drift#-}" -le "$SPREAD_KB" ] || problems+=("memory ${drift} kB away from the first game's")
    fi
    if [ "${#problems[@]}" -eq 0 ]; then
        pass "$line"
    else
        fail "$line: ${problems[*]}"
    fi
done
echo "memory at 13.5 s: first ${first_rss:-?} kB, min ${min_rss:-?} kB, max ${max_rss:-?} kB; largest growth from 3 s ${max_growth} kB; longest game ${longest} ms"

finish
