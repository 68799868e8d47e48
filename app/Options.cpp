#include "app/Options.hpp"

#include "app/Settings.hpp"

#include <sstream>

#ifndef BRINDLEWICK_VERSION
#error "BRINDLEWICK_VERSION is set by the build from the project's version"
#endif

Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    for (const std::string& argument : arguments)
    {
        if (argument == "--version")
            options.mode = Options::Mode::Version;
        else if (argument == "--help" || argument == "-h")
            options.mode = Options::Mode::Help;
        else
            throw UsageError("unknown argument \"" + argument + "\"; run brindlewick --help for the options");
    }
    return options;
}

std::string versionLine()
{
    return std::string("brindlewick ") + BRINDLEWICK_VERSION;
}

std::string usageText()
{
    std::ostringstream text;
    text << "Usage: brindlewick [--version | --help]\n"
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
            "  --version           print the version and exit\n"
            "  --help              print this help and exit\n"
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
