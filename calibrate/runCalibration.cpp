#include "calibrate/runCalibration.hpp"

#include "app/Game.hpp"
#include "app/Settings.hpp"
#include "app/createWindow.hpp"
#include "calibrate/CalibrationPicture.hpp"
#include "calibrate/CalibrationScreen.hpp"
#include "settings/saveDeviceOffset.hpp"

#include <cmath>
#include <iostream>

int runCalibration(const MediaFolder& media, const PlayerSettings& settings, const WindowMode& mode,
                   const std::string& settingsPath, const DisplayConnection& display)
{
    sf::RenderWindow window;
    createWindow(window, mode, TITLE);
    kit::MultiResourceCache cache;
    CalibrationScreen screen(media, settings.sound, mode,
                             FramePacer(settings.display.maxFps, [&] { return display.refreshRate(window); }));
    runScreens({&screen}, window, cache);
    window.close();

    const std::string measured = "an audio offset of " + offsetText(screen.getOffset()) + " for \"" +
                                 screen.getDevice() + "\" (from " + std::to_string(screen.getCounted()) + " presses)";
    if (screen.getOutcome() != Calibration::Outcome::Save)
    {
        std::cout << "brindlewick: left the calibration; nothing was saved" << std::endl;
        return 0;
    }
    const auto ms = static_cast<int>(std::lround(static_cast<double>(screen.getOffset().asMicroseconds()) / 1000.0));
    try
    {
        saveDeviceOffset(settingsPath, screen.getDevice(), ms);
    }
    catch (const SettingsSaveError& error)
    {
        std::cerr << "brindlewick: measured " << measured << ", but cannot save it in \"" << settingsPath
                  << "\": " << error.what() << std::endl;
        return 1;
    }
    std::cout << "brindlewick: saved " << measured << " in \"" << settingsPath << "\"" << std::endl;
    return 0;
}
