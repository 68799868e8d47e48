#include "app/AudioOutput.hpp"
#include "app/DisplayConnection.hpp"
#include "app/Game.hpp"
#include "app/Options.hpp"
#include "app/PlayerFolders.hpp"
#include "assets/MediaFolder.hpp"
#include "calibrate/runCalibration.hpp"
#include "clip/renderClip.hpp"
#include "kit/ResourceLoadingException.hpp"
#include "replay/GameRecording.hpp"
#include "replay/KeptGames.hpp"
#include "replay/runReplay.hpp"
#include "settings/SettingsFile.hpp"

#include <SFML/Window/VideoMode.hpp>

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace
{

// "last" in place of a file names the newest kept game. Throws std::runtime_error when there is none.
std::string gameFile(const std::string& named, const KeptGames& kept)
{
    if (named != "last")
        return named;
    const std::filesystem::path newest = kept.newest();
    if (newest.empty())
        throw std::runtime_error(R"(There is no kept game yet for "last" to name; none is in ")" +
                                 kept.getFolder().string() + "\"");
    return newest.string();
}

// The settings file, read once, and the options of this run over it. Whatever the file gets wrong is said, one line
// each, and only those settings keep their defaults.
std::string settingsPath(const Options& options)
{
    return options.settingsFile.empty() ? defaultSettingsPath().string() : options.settingsFile;
}

PlayerSettings playerSettings(const Options& options)
{
    std::vector<std::string> problems;
    // A file named for --calibrate to write need not be there yet.
    const bool mustExist = !options.settingsFile.empty() && options.mode != Options::Mode::Calibrate;
    PlayerSettings settings = readSettings(settingsPath(options), mustExist, problems);
    for (const std::string& problem : problems)
        std::cerr << "brindlewick: " << problem << std::endl;
    if (options.scale > 0)
        settings.display.scale = options.scale;
    if (options.fullscreen >= 0)
        settings.display.fullscreen = options.fullscreen == 1;
    if (options.mute)
        settings.sound.muted = true;
    return settings;
}

// The window the settings ask for, on this desktop. Needs a display connection.
WindowMode windowMode(const DisplaySettings& display)
{
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    std::string problem;
    const WindowMode mode =
        windowModeFor(display.scale, display.fullscreen, sf::Vector2u(desktop.width, desktop.height), problem);
    if (!problem.empty())
        std::cerr << "brindlewick: " << problem << std::endl;
    return mode;
}

// Plays the game, written as it goes to the player's file (when one is named) and to the kept games.
int play(const Options& options, const MediaFolder& media, const PlayerSettings& settings, const KeptGames& kept)
{
    // The files are made before any window opens, so a path that cannot be written stops the game at once.
    std::unique_ptr<GameRecording> recording;
    try
    {
        recording =
            std::make_unique<GameRecording>(options.mode == Options::Mode::Record ? options.file : "", kept, std::cerr);
    }
    catch (const RecordingFileError& error)
    {
        std::cerr << "brindlewick: " << error.what() << std::endl;
        return 2;
    }
    if (chooseAudioOutput() == AudioOutput::Silent)
        std::cerr << "brindlewick: " << silentPlayNotice() << std::endl;
    // Before anything of SFML's touches the display: SFML aborts when it cannot reach one.
    const DisplayConnection display;
    Game game(media, settings, windowMode(settings.display), display);
    game.run(&recording->getSeams());
    game.closeWindow();
    return recording->finish() ? 0 : 1;
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
        case Options::Mode::Play:
        case Options::Mode::Record:
        case Options::Mode::Replay:
        case Options::Mode::Render:
        case Options::Mode::Calibrate:
            break;
    }

    try
    {
        std::string passedOver;
        const MediaFolder media = findMediaFolder(mediaSearchFor(options.dataFolder), passedOver);
        if (!passedOver.empty())
            std::cerr << "brindlewick: " << passedOver << "; the media come from \"" << media.getPath() << "\""
                      << std::endl;
        const KeptGames kept(stateFolder() / "games");

        // Every file the player names is theirs, where they are; "last" is the newest kept game.
        try
        {
            options.file = gameFile(options.file, kept);
            options.renderInput = gameFile(options.renderInput, kept);
        }
        catch (const std::runtime_error& error)
        {
            std::cerr << "brindlewick: " << error.what() << std::endl;
            return 2;
        }
        // A clip is the game as it was, at its own volumes, whatever the player's settings.
        if (options.mode == Options::Mode::Render)
            return renderClip(options.renderInput, options.renderOutput, options.forceOutput, media);
        const PlayerSettings settings = playerSettings(options);
        if (options.mode == Options::Mode::Replay)
        {
            // A check replays as fast as it can and never sounds; a watch plays its music.
            if (!options.check && chooseAudioOutput() == AudioOutput::Silent)
                std::cerr << "brindlewick: " << silentPlayNotice() << std::endl;
            const DisplayConnection display;
            return runReplay(options, media, settings, windowMode(settings.display), display);
        }
        if (options.mode == Options::Mode::Calibrate)
        {
            if (chooseAudioOutput() == AudioOutput::Silent)
                std::cerr << "brindlewick: " << silentPlayNotice() << std::endl;
            const DisplayConnection display;
            return runCalibration(media, settings, windowMode(settings.display), settingsPath(options), display);
        }
        return play(options, media, settings, kept);
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
