#!/usr/bin/env bash
# A stalled process goes on playing: four seconds into the game, with a dash and a love waiting for the beat, the
# process is stopped (kill -STOP) for two seconds and then let go on (kill -CONT). Its frame clock, like the wall
# clock, ran on meanwhile, so the first frame after the stall is two seconds long and moves the world by all of it
# (checked inside the process by RoundStressFixture.AStallOfTwoSecondsMovesTheWorldByTheWholeTimeAndPlayGoesOn).
# Here: frames keep coming after it, and the game still ends on its own with status 0. OpenAL Soft's null output
# keeps its own time across the stall (it makes up the missed samples), so the music, and the game, end about 14 s
# after the window appeared all the same; the bound allows for an output that would instead resume where it was.
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
export ALSOFT_DRIVERS=null

LONGEST_MS=$((14000 + 2000 + 1000)) # the music, the stall, and one second

start_focused_game

sleep 4
xdotool keydown --delay 0 Right Shift_L
sleep 0.1
before="$(window_picture)"
kill -STOP "$GAME"
sleep 0.5
read -r _ _ state _ <"/proc/$GAME/stat"
[ "$state" = T ] || fail "the game was not stopped (state $state)"
ticks_stopped="$(cpu_ticks)"
sleep 1.5
[ "$(cpu_ticks)" = "$ticks_stopped" ] || fail "the game used CPU time while stopped"
kill -CONT "$GAME"
xdotool keyup --delay 0 Right Shift_L

# Frames after the stall: three pictures half a second apart, each different from the one before.
previous="$before"
for _ in 1 2 3; do
    sleep 0.5
    game_running || break
    picture="$(window_picture)"
    [ "$picture" != "$previous" ] || fail "the picture did not change within half a second after the stall"
    previous="$picture"
done

wait_for_end 20
release_keys
expect_own_end stall "stopped for two seconds, went on and ended on its own with status 0"

finish
