#pragma once

#include "app/FramePacer.hpp"
#include "app/Screen.hpp"
#include "app/WindowMode.hpp"
#include "assets/MediaFolder.hpp"
#include "calibrate/Calibration.hpp"
#include "settings/PlayerSettings.hpp"

#include <string>

// --calibrate: a screen of its own in the game's look. It plays the base stem for sixteen beats, marks each of the
// player's presses on a ruler as it comes, and once there are enough shows the offset they make. Enter ends it with
// the offset to save, Escape without. It needs only the base stem and the font. Its frames are shown at the pacer's
// pace.
class CalibrationScreen : public Screen
{
public:
    CalibrationScreen(MediaFolder media, SoundSettings sound, WindowMode mode, FramePacer pacer);

    int run(sf::RenderWindow& window, kit::MultiResourceCache& cache) override;

    Calibration::Outcome getOutcome() const { return outcome; }
    // What the presses made, and how many of them counted; zero when there were too few.
    sf::Time getOffset() const { return offset; }
    std::size_t getCounted() const { return counted; }
    // The output device the stem played on, whose offset it is.
    const std::string& getDevice() const { return device; }

private:
    MediaFolder media;
    SoundSettings sound;
    WindowMode mode;
    FramePacer pacer;
    Calibration::Outcome outcome = Calibration::Outcome::Leave;
    sf::Time offset;
    std::size_t counted = 0;
    std::string device;
};
