// Feeds arbitrary bytes to the animation file reader through a stream, the way it reads a file.
// The reader may refuse a file only with std::invalid_argument or std::out_of_range; anything else is a fault.

#include "sprites/Animation.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// libFuzzer finds its entry point by this name.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));

    sf::Time now;
    const kit::TimeSource time = [&now] { return now; };
    std::vector<Animation> animations;
    try
    {
        readAnimations(in, animations, time);
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
