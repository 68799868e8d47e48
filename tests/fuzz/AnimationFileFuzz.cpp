// Feeds arbitrary bytes to the animation file reader through a file, as the game would meet them.
// The reader may refuse a file only with std::invalid_argument or std::out_of_range; anything else is a fault.

#include "sprites/Animation.hpp"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

std::string filePath;

} // namespace

// libFuzzer finds its two entry points by these names.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char name[] = "/tmp/brindlewick-animation-fuzz-XXXXXX";
    const int descriptor = mkstemp(name);
    if (descriptor < 0)
    {
        std::perror("mkstemp");
        std::abort();
    }
    close(descriptor);
    filePath = name;
    std::atexit([] { std::remove(filePath.c_str()); });
    return 0;
}

// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file(filePath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    sf::Time now;
    const kit::TimeSource time = [&now] { return now; };
    std::vector<Animation> animations;
    try
    {
        loadAnimations(filePath, animations, time);
    }
    catch (const std::invalid_argument&)
    {
    }
    catch (const std::out_of_range&)
    {
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "unexpected exception from the reader: %s\n", error.what());
        std::abort();
    }
    catch (...)
    {
        std::fprintf(stderr, "unexpected non-standard exception from the reader\n");
        std::abort();
    }

    // Whatever was read must play without fault, whatever its speed.
    for (Animation& animation : animations)
    {
        for (int step = 0; step < 3; ++step)
        {
            now += sf::milliseconds(700);
            animation.update();
            if (!animation.frames.empty() && !animation.getCurrentFrame())
                std::abort();
        }
    }
    return 0;
}
