// Feeds arbitrary bytes to the replay readers, the recording's and the input script's, through a stream. A reader
// may refuse its input only with ReplayFormatError; anything else (another exception, a crash, a sanitizer report)
// is a fault. What a reader accepts must hold together: frames in line order, events that write back as read.

#include "replay/EventText.hpp"
#include "replay/InputScript.hpp"
#include "replay/Recording.hpp"
#include "replay/ReplayFormatError.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

template <typename Read>
void expectOnlyFormatErrors(Read read)
{
    try
    {
        read();
    }
    catch (const ReplayFormatError&)
    {
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "unexpected exception from the reader: %s\n", error.what());
        std::abort();
    }
}

} // namespace

// libFuzzer finds its entry point by this name.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    expectOnlyFormatErrors(
        [&]
        {
            std::istringstream in(text);
            const Recording recording = readRecording(in, "fuzz.rec");
            std::size_t line = 0;
            for (const RecordedFrame& frame : recording.frames)
            {
                if (frame.line <= line)
                    std::abort();
                line = frame.line;
                for (const sf::Event& event : frame.events)
                {
                    sf::Event back;
                    if (!parseEvent(eventText(event), back) || eventText(back) != eventText(event))
                        std::abort();
                }
            }
        });
    expectOnlyFormatErrors(
        [&]
        {
            std::istringstream in(text);
            const InputScript script = readInputScript(in, "fuzz.script");
            for (std::size_t i = 1; i < script.steps.size(); ++i)
                if (script.steps[i].at < script.steps[i - 1].at || script.steps[i].key == sf::Keyboard::Unknown)
                    std::abort();
        });
    return 0;
}
