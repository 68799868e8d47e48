/* Preloaded into the game by beat_timing.sh: notes the monotonic time of every sound the game starts, so the frame
 * that acts on a beat (the dash plays its sound in the frame that takes the move) can be timed against the
 * recording without asking anything of the game. Each start goes on one line of $BEAT_TRACE: "source seconds". */
#define _GNU_SOURCE
#include <AL/al.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

AL_API void AL_APIENTRY alSourcePlay(ALuint source)
{
    static void (*play)(ALuint) = NULL;
    static int trace = -2;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (play == NULL)
        play = (void (*)(ALuint))dlsym(RTLD_NEXT, "alSourcePlay");
    if (trace == -2)
    {
        const char* path = getenv("BEAT_TRACE");
        trace = path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }
    if (trace >= 0)
    {
        char line[64];
        const int length = snprintf(line, sizeof line, "%u %ld.%09ld\n", source, (long)now.tv_sec, now.tv_nsec);
        if (write(trace, line, (size_t)length) < 0)
        {
            /* a lost line shows as a beat without its frame */
        }
    }
    play(source);
}
