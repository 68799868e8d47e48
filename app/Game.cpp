#include "app/Game.hpp"

#include "app/FramePacer.hpp"
#include "app/MainScreen.hpp"
#include "app/Settings.hpp"
#include "app/createWindow.hpp"

#include <utility>

Game::Game(MediaFolder mediaFolder, PlayerSettings playerSettings, WindowMode windowMode,
           const DisplayConnection& displayConnection)
    : media(std::move(mediaFolder))
    , settings(std::move(playerSettings))
    , mode(windowMode)
    , display(displayConnection)
{
    createWindow(window, mode, TITLE);
}

void Game::run(RoundSeams* seams)
{
    FramePacer pacer(settings.display.maxFps, [this] { return display.refreshRate(window); });
    MainScreen mainScreen(media, settings, mode, std::move(pacer), seams);
    screens.push_back(&mainScreen);
    runScreens(screens, window, cache);
    // The main screen goes now; its pointer is never used again.
    screens.clear();
}

void Game::closeWindow()
{
    window.close();
}

void runScreens(const std::vector<Screen*>& screens, sf::RenderWindow& window, kit::MultiResourceCache& cache)
{
    int index = 0;
    while (index >= 0 && static_cast<std::size_t>(index) < screens.size())
        index = screens[static_cast<std::size_t>(index)]->run(window, cache);
}
