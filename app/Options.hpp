#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// What the command line asks of the game. With no arguments it is the game itself; every option is opt-in.
struct Options
{
    enum class Mode
    {
        Play,      // the game, as it always plays
        Version,   // print the version line and stop
        Help,      // print the usage and stop
        Record,    // the game, written to `file` as it is played
        Replay,    // a recording or input script `file`, watched (or, with `check`, checked as fast as it goes)
        Render,    // render a recording or an input script to an MP4
        Calibrate, // measure the player's audio offset on a screen of its own, and save it
    };

    Mode mode = Mode::Play;
    std::string file;
    bool check = false;
    std::string renderInput;  // --render FILE
    std::string renderOutput; // --output FILE
    bool forceOutput = false; // --force: replace an existing output
    std::string dataFolder;   // --data DIR: the media folder, or the folder that holds it as resources/

    // For this run only, over the settings file.
    std::string settingsFile; // --settings FILE, in place of the player's own
    int scale = 0;            // --scale N; 0 when not given
    int fullscreen = -1;      // --fullscreen 1, --windowed 0; -1 when neither is given
    bool mute = false;        // --mute
};

// A command line the game cannot follow. The message is the one line to show, without the program name.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Throws UsageError naming the first argument it cannot use.
Options parseOptions(const std::vector<std::string>& arguments);

// "brindlewick 1.0.0": the version comes from the build, which takes it from the project's one declaration.
std::string versionLine();

// The text --help prints.
std::string usageText();
