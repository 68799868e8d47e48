#include "app/Options.hpp"

#include "app/Settings.hpp"

#include <sstream>

#ifndef BRINDLEWICK_VERSION
#error "BRINDLEWICK_VERSION is set by the build from the project's version"
#endif

Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    bool sawCheck = false;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        // An option that takes a file name takes the next argument, whatever it looks like.
        const auto fileAfter = [&]() -> std::string
        {
            if (i + 1 >= arguments.size())
                throw UsageError(argument + " needs a file name");
            return arguments[++i];
        };
        if (argument == "--record" || argument == "--replay")
        {
            if (options.mode == Options::Mode::Record || options.mode == Options::Mode::Replay ||
                options.mode == Options::Mode::Render)
                throw UsageError("--record, --replay and --render take one file, and only one of them can be given");
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                throw UsageError(argument + " needs a FILE");
            options.mode = argument == "--record" ? Options::Mode::Record : Options::Mode::Replay;
            options.file = arguments[++i];
        }
        else if (argument == "--check")
            sawCheck = true;
        else if (argument == "--render")
        {
            if (options.mode != Options::Mode::Play)
                throw UsageError("--render takes one file, and goes with neither --record nor --replay");
            options.mode = Options::Mode::Render;
            options.renderInput = fileAfter();
        }
        else if (argument == "--output")
            options.renderOutput = fileAfter();
        else if (argument == "--force")
            options.forceOutput = true;
        else if (argument == "--version")
            options.mode = Options::Mode::Version;
        else if (argument == "--help" || argument == "-h")
            options.mode = Options::Mode::Help;
        else
            throw UsageError("unknown argument \"" + argument + "\"; run brindlewick --help for the options");
    }
    if (sawCheck && options.mode != Options::Mode::Replay)
        throw UsageError("--check goes with --replay FILE");
    options.check = sawCheck;
    if (options.mode == Options::Mode::Render && options.renderOutput.empty())
        throw UsageError("--render needs --output FILE.mp4");
    if (options.mode != Options::Mode::Render && (!options.renderOutput.empty() || options.forceOutput))
        throw UsageError("--output and --force go with --render");
    return options;
}

std::string versionLine()
{
    return std::string("brindlewick ") + BRINDLEWICK_VERSION;
}

std::string usageText()
{
    std::ostringstream text;
    text << "Usage: brindlewick [--record FILE | --replay FILE [--check] | --version | --help]\n"
            "       brindlewick --render FILE --output CLIP.mp4 [--force]\n"
            "\n"
            "A game that lasts as long as its music. Every move waits for the next half-second beat.\n"
            "\n"
            "Keys:\n"
            "  arrows or W A S D   dash up, left, down or right\n"
            "  Shift               open the love circle (release to close it)\n"
            "  Escape (held)       leave the game\n"
            "\n"
            "Gamepad:\n"
            "  D-pad or left stick dash that way (push past half-way; centre it to dash again)\n"
            "  A, LB or RB         open the love circle (release to close it)\n"
            "  Back (held)         leave the game\n"
            "\n"
            "Options:\n"
            "  --record FILE       play, and write the game to FILE as it goes\n"
            "  --replay FILE       watch a recording (or an input script) again, checking it frame by frame;\n"
            "                      exit status 1 when a frame's state differs from the recorded one\n"
            "  --check             with --replay: no window pacing and no sound, as fast as it goes\n"
            "  --version           print the version and exit\n"
            "  --help              print this help and exit\n"
            "  --render FILE       render a recording or an input script to a video with its sound\n"
            "  --output CLIP.mp4   where --render writes the video\n"
            "  --force             let --render replace an existing CLIP.mp4\n"
            "\n"
            "Media: the game reads them from the folder "
         << RESOURCES_PATH
         << " in its working directory; the\n"
            "installed launcher starts it in the folder that holds them.\n"
            "\n"
            "Sound: OpenAL Soft picks the audio output. ALSOFT_DRIVERS names the drivers to try\n"
            "(ALSOFT_DRIVERS=null plays silently). When no device opens and ALSOFT_DRIVERS is not\n"
            "set, the game says so and plays silently.\n";
    return text.str();
}
