#include "app/AudioOutput.hpp"
#include "app/DisplayConnection.hpp"
#include "app/Game.hpp"
#include "app/Options.hpp"
#include "app/Settings.hpp"
#include "clip/renderClip.hpp"
#include "kit/ResourceLoadingException.hpp"
#include "replay/GameRecorder.hpp"
#include "replay/runReplay.hpp"

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace
{

// The game reads its media relative to the working directory; say so plainly when they are not there.
void checkResourcesFolder()
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(RESOURCES_PATH, error))
        throw std::runtime_error("Cannot find the media folder \"" +
                                 (fs::current_path(error) / RESOURCES_PATH).string() +
                                 "\": start the game from the folder that holds resources/ (scripts/play.sh does)");
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    try
    {
        options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    }
    catch (const UsageError& error)
    {
        std::cerr << "brindlewick: " << error.what() << std::endl;
        return 2;
    }
    switch (options.mode)
    {
        case Options::Mode::Version:
            std::cout << versionLine() << std::endl;
            return 0;
        case Options::Mode::Help:
            std::cout << usageText() << std::flush;
            return 0;
        case Options::Mode::Render:
            return renderClip(options.renderInput, options.renderOutput, options.forceOutput);
        case Options::Mode::Play:
        case Options::Mode::Record:
        case Options::Mode::Replay:
            break;
    }

    // The recording file is made before any window opens, so a path that cannot be written stops the game at once.
    std::unique_ptr<GameRecorder> recorder;
    if (options.mode == Options::Mode::Record)
    {
        try
        {
            recorder = std::make_unique<GameRecorder>(options.file);
        }
        catch (const std::exception& error)
        {
            std::cerr << "brindlewick: " << error.what() << std::endl;
            return 2;
        }
    }

    try
    {
        checkResourcesFolder();
        // A check replays as fast as it can and never sounds; everything else plays its music.
        const bool silentCheck = options.mode == Options::Mode::Replay && options.check;
        if (!silentCheck && chooseAudioOutput() == AudioOutput::Silent)
            std::cerr << "brindlewick: " << silentPlayNotice() << std::endl;
        if (options.mode == Options::Mode::Replay)
            return runReplay(options);
        // Before anything of SFML's touches the display: SFML aborts when it cannot reach one.
        const DisplayConnection display;
        Game game;
        game.run(recorder.get());
        game.closeWindow();
        if (recorder && !recorder->finish())
            return 1;
        return 0;
    }
    catch (const kit::ResourceLoadingException& error)
    {
        std::cerr << "brindlewick: " << error.what();
        if (!error.getReason().empty())
            std::cerr << " (" << error.getReason() << ")";
        std::cerr << std::endl;
        return 1;
    }
    catch (const std::exception& error)
    {
        std::cerr << "brindlewick: " << error.what() << std::endl;
        return 1;
    }
}
