#pragma once

#include "calibrate/OffsetEstimate.hpp"
#include "game/MusicClock.hpp"
#include "game/MusicTrack.hpp"
#include "kit/TimeSource.hpp"

#include <SFML/Window/Event.hpp>

#include <vector>

// The course of a calibration, driven from outside as a game is: the base stem through a music clock with no audio
// offset (the offset is what this measures), the time source, and the events polled each frame. The stem's accents
// mark every half second; the player presses any key but Enter and Escape, or any pad button, on each beat they
// hear, and each press counts by its distance from its nearest beat, as the music clock hears it.
class Calibration
{
public:
    static constexpr int Beats = 16;

    enum class Outcome
    {
        Measuring,
        Save,  // Enter, once enough presses were made
        Leave, // Escape or the window's close button: nothing is saved
    };

    Calibration(const MusicTrack& base, kit::TimeSource now = kit::realTimeSource());

    // One frame: reads the clock, then takes the events polled since the last frame.
    void update(const std::vector<sf::Event>& events);

    const OffsetEstimate& getEstimate() const { return estimate; }
    Outcome getOutcome() const { return outcome; }
    // The sixteen beats have been heard (and a quarter of a second after the last, for a late press).
    bool isMusicOver() const;
    // Enter was pressed before the estimate was ready.
    bool wasSaveRefused() const { return saveRefused; }

private:
    void press();

    MusicClock clock;
    sf::Time lastHeard;
    sf::Time heard;
    OffsetEstimate estimate;
    Outcome outcome = Outcome::Measuring;
    bool saveRefused = false;
};
