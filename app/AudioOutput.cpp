#include "app/AudioOutput.hpp"

#include <AL/alc.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// Whether OpenAL Soft opens a device with the environment as it is. The child takes the driver list (and whatever
// the drivers print while they fail), so this process still reads the list afresh at its own first use.
bool deviceOpens()
{
    const pid_t child = fork();
    if (child < 0)
        return true; // cannot probe: let the game try, and say so plainly if it fails
    if (child == 0)
    {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
        {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        ALCdevice* device = alcOpenDevice(nullptr);
        _exit(device != nullptr ? 0 : 1);
    }
    int status = 0;
    pid_t waited = 0;
    do
        waited = waitpid(child, &status, 0);
    while (waited < 0 && errno == EINTR);
    return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

AudioOutput chooseAudioOutput()
{
    if (deviceOpens())
        return AudioOutput::Device;
    // The player's own choice of drivers is theirs to keep, even when it does not work.
    if (std::getenv("ALSOFT_DRIVERS") != nullptr)
        return AudioOutput::None;
    setenv("ALSOFT_DRIVERS", "null", 1);
    return AudioOutput::Silent;
}

std::string silentPlayNotice()
{
    return "No audio output device could be opened, so the game plays without sound";
}
