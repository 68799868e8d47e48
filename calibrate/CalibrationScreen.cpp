#include "calibrate/CalibrationScreen.hpp"

#include "app/WindowKeys.hpp"
#include "assets/Assets.hpp"
#include "calibrate/CalibrationPicture.hpp"
#include "game/SoundLevels.hpp"
#include "game/StreamedTrack.hpp"

#include <stdexcept>
#include <utility>
#include <vector>

CalibrationScreen::CalibrationScreen(MediaFolder mediaFolder, SoundSettings soundSettings, WindowMode windowMode,
                                     FramePacer framePacer)
    : media(std::move(mediaFolder))
    , sound(soundSettings)
    , mode(windowMode)
    , pacer(std::move(framePacer))
{
}

int CalibrationScreen::run(sf::RenderWindow& window, kit::MultiResourceCache& cache)
{
    // The font and the base stem, at the player's volumes.
    const auto font = loadFont(cache, media);
    if (!audioOutputAvailable())
        throw std::runtime_error("No audio output device could be opened: there is no beat to hear");
    StreamedTrack base;
    const std::string stem = media.sound("music_base.wav");
    if (!base.openFromFile(stem))
        throw std::runtime_error("Failed to open the music \"" + stem + "\" (" + base.getFault() + ")");
    SoundLevels levels(sound);
    levels.apply();
    levels.applyTo(base);
    StreamedTrack::playTogether({&base});
    device = outputDeviceName();

    Calibration calibration(base);
    CalibrationPicture picture(*font, device);
    drawList.add(picture, 0);
    WindowKeys windowKeys(mode, &levels);
    std::vector<sf::Event> events;
    while (window.isOpen())
    {
        // The presses since the last frame, then the clock that times them.
        events.clear();
        sf::Event event;
        while (window.pollEvent(event))
        {
            windowKeys.notice(event);
            events.push_back(event);
        }
        calibration.update(events);
        if (calibration.getOutcome() != Calibration::Outcome::Measuring)
            break;
        if (calibration.isMusicOver())
            base.stop();
        picture.update(calibration);
        present(window);
        windowKeys.apply(window);
        pacer.wait();
    }
    outcome = window.isOpen() ? calibration.getOutcome() : Calibration::Outcome::Leave;
    offset = calibration.getEstimate().getOffset();
    counted = calibration.getEstimate().getCounted();
    drawList.clear();
    return -1;
}
