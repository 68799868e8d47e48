#include "app/Options.hpp"

#include "app/Settings.hpp"
#include "settings/PlayerSettings.hpp"

#include <CLI/CLI.hpp>

#include <sstream>

#ifndef BRINDLEWICK_VERSION
#error "BRINDLEWICK_VERSION is set by the build from the project's version"
#endif

namespace
{

const char* const HelpHint = "; run brindlewick --help for the options";

} // namespace

Options parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    std::string record;
    std::string replay;
    bool check = false;
    bool version = false;
    bool help = false;

    // The help is our own text (usageText), and what CLI11 does not know is reported as the game always has.
    CLI::App app("", "brindlewick");
    app.set_help_flag();
    app.allow_extras();
    // A game's file may be left out, to be named in the message; the others take the next argument as their value.
    const auto gameFile = [&app](const std::string& name, std::string& value)
    {
        return app.add_option(name, value)
            ->type_name("FILE")
            ->expected(0, 1)
            ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    };
    CLI::Option* const recordOption = gameFile("--record", record);
    CLI::Option* const replayOption = gameFile("--replay", replay);
    CLI::Option* const renderOption = gameFile("--render", options.renderInput);
    CLI::Option* const outputOption = app.add_option("--output", options.renderOutput)
                                          ->type_name("FILE")
                                          ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    app.add_option("--data", options.dataFolder)->type_name("DIR")->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    app.add_option("--settings", options.settingsFile)
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    app.add_option("--scale", options.scale)
        ->type_name("N")
        ->check(CLI::Range(1, MaxScale))
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    CLI::Option* const fullscreenOption = app.add_flag("--fullscreen");
    CLI::Option* const windowedOption = app.add_flag("--windowed");
    app.add_flag("--mute", options.mute);
    bool calibrate = false;
    app.add_flag("--calibrate", calibrate);
    app.add_flag("--check", check);
    app.add_flag("--force", options.forceOutput);
    app.add_flag("--version", version);
    app.add_flag("--help,-h", help);

    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try
    {
        app.parse(reversed);
    }
    catch (const CLI::ParseError& error)
    {
        throw UsageError(error.what() + std::string(HelpHint));
    }
    const std::vector<std::string> unknown = app.remaining();
    if (!unknown.empty())
        throw UsageError("unknown argument \"" + unknown.front() + "\"" + HelpHint);

    const std::size_t games = recordOption->count() + replayOption->count() + renderOption->count();
    if (games > 1)
        throw UsageError("--record, --replay and --render take one file, and only one of them can be given");
    if (calibrate && games > 0)
        throw UsageError("--calibrate goes with none of --record, --replay and --render");
    if (fullscreenOption->count() > 0 && windowedOption->count() > 0)
        throw UsageError("--fullscreen and --windowed ask for opposite things; give one of them");
    if (fullscreenOption->count() > 0 || windowedOption->count() > 0)
        options.fullscreen = fullscreenOption->count() > 0 ? 1 : 0;
    for (const CLI::Option* named : {recordOption, replayOption, renderOption, outputOption})
        if (named->count() > 0 && named->as<std::string>().empty())
            throw UsageError(named->get_name() + " needs a FILE");
    if (recordOption->count() > 0)
    {
        options.mode = Options::Mode::Record;
        options.file = record;
    }
    else if (replayOption->count() > 0)
    {
        options.mode = Options::Mode::Replay;
        options.file = replay;
    }
    else if (renderOption->count() > 0)
        options.mode = Options::Mode::Render;
    else if (calibrate)
        options.mode = Options::Mode::Calibrate;
    if (check && options.mode != Options::Mode::Replay)
        throw UsageError("--check goes with --replay FILE");
    options.check = check;
    if (options.mode == Options::Mode::Render && options.renderOutput.empty())
        throw UsageError("--render needs --output FILE.mp4");
    if (options.mode != Options::Mode::Render && (outputOption->count() > 0 || options.forceOutput))
        throw UsageError("--output and --force go with --render");
    // What only informs wins over everything else, as it always has.
    if (version)
        options.mode = Options::Mode::Version;
    if (help)
        options.mode = Options::Mode::Help;
    return options;
}

std::string versionLine()
{
    return std::string("brindlewick ") + BRINDLEWICK_VERSION;
}

std::string usageText()
{
    std::ostringstream text;
    text << "Usage: brindlewick [--record FILE | --replay FILE [--check] | --calibrate | --version | --help]\n"
            "                   [--settings FILE] [--scale N] [--fullscreen | --windowed] [--mute] [--data DIR]\n"
            "       brindlewick --render FILE --output CLIP.mp4 [--force] [--data DIR]\n"
            "\n"
            "A game that lasts as long as its music. Every move waits for the next half-second beat.\n"
            "\n"
            "Keys (the settings file can move them):\n"
            "  arrows or W A S D   dash up, left, down or right\n"
            "  Shift               open the love circle (release to close it)\n"
            "  Escape (held)       leave the game\n"
            "  F11 or Alt+Enter    switch between the window and fullscreen\n"
            "  M                   sound off and on again\n"
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
            "  --calibrate         measure your audio offset: press a key on every beat you hear, Enter saves it\n"
            "  --version           print the version and exit\n"
            "  --help              print this help and exit\n"
            "  --render FILE       render a recording or an input script to a video with its sound\n"
            "  --output CLIP.mp4   where --render writes the video\n"
            "  --force             let --render replace an existing CLIP.mp4\n"
            "  --data DIR          read the media from DIR (the folder itself, or its resources/)\n"
            "  --settings FILE     read the settings from FILE instead of your own\n"
            "  --scale N           a window of N times 300x200 (N from 1 to what fits the desktop)\n"
            "  --fullscreen        the whole screen, the picture at the largest whole factor, on black\n"
            "  --windowed          a window, whatever the settings say\n"
            "  --mute              no sound this time\n"
            "\n"
            "Settings: $XDG_CONFIG_HOME/brindlewick/settings.toml (~/.config/brindlewick/settings.toml):\n"
            "  [display]  scale = 3, fullscreen = false, max_fps = 0 (0 paces when vertical sync does not,\n"
            "             N at most N frames a second, -1 unpaced)\n"
            "  [sound]    master = 100, music = 100, effects = 100 (percent), muted = false\n"
            "  [audio]    offset_ms = 0 (-300 to 500, how much later you hear the music than it plays);\n"
            "             [audio.device_offsets] \"DEVICE\" = MS, written by --calibrate, before offset_ms\n"
            "  [controls] up, down, left, right, love, close = lists of key names, such as [\"Up\", \"W\"]\n"
            "  [gamepad]  love = [0, 4, 5], close = [6] (button numbers)\n"
            "  The options above win over the file for one run. An example with every default is\n"
            "  /usr/share/doc/brindlewick/settings.example.toml.\n"
            "\n"
            "Kept games: every game played is kept, the 10 newest, in $XDG_STATE_HOME/brindlewick/games/\n"
            "(~/.local/state/brindlewick/games/ when XDG_STATE_HOME is not set). \"last\" in place of FILE\n"
            "names the newest: brindlewick --replay last. Files you name are read and written where you are.\n"
            "\n"
            "Media: the game looks for them in --data DIR, then in BRINDLEWICK_DATA, then in "
         << RESOURCES_PATH
         << " in the\n"
            "working directory, then in share/games/brindlewick/ of the prefix it is installed in.\n"
            "\n"
            "Sound: OpenAL Soft picks the audio output. ALSOFT_DRIVERS names the drivers to try\n"
            "(ALSOFT_DRIVERS=null plays silently). When no device opens and ALSOFT_DRIVERS is not\n"
            "set, the game says so and plays silently.\n";
    return text.str();
}
