#pragma once

#include "kit/TimeSource.hpp"

#include <SFML/System/Sleep.hpp>
#include <SFML/System/Time.hpp>

#include <functional>
#include <vector>

// Keeps a screen's frames to the display's pace when vertical sync does not. With it, each present waits for the
// display; under Xvfb, with some drivers, or where a compositor or a driver setting turns it off, a present returns
// at once and the loop spins. Only the showing of frames is paced: a frame still takes its time from its own frame
// clock and its beat from the music, so the game plays the same at any pace.
//
// The pace comes from the player's max_fps: 0 measures the first second of frames and, when they come faster than
// 1.5 times the display's refresh rate (so nothing paces them), keeps them to that rate; N keeps them to at most N a
// second; a negative value never paces.
class FramePacer
{
public:
    using Sleep = std::function<void(sf::Time)>;
    // The display's refresh rate in Hz, 0 when it is not known; asked at most once, when the pace is chosen.
    using RefreshRate = std::function<double()>;

    // The time source must be monotonic; the sleep may wake late, never early.
    FramePacer(int maxFps, RefreshRate refreshRate, kit::TimeSource now = kit::realTimeSource(),
               Sleep sleep = &sf::sleep);

    // For a loop that makes its frames as fast as it can: called once a frame, after the frame is shown, it returns
    // when the next frame is due.
    void wait();

    // For a loop whose frames come at a pace of their own, as a recording's do: whether to show the frame at hand.
    // Frames measured there would tell nothing of vertical sync, so 0 keeps them to the display's rate from the
    // start. A shown frame is never more than half an interval early, and on average they keep the pace.
    bool showNow();

    // The time from one paced frame to the next; zero while frames are not paced.
    sf::Time getInterval() const { return interval; }

    // The interval a display of this refresh rate is paced at; an unknown or implausible rate counts as 60 Hz.
    static sf::Time intervalFor(double refreshRate);

private:
    enum class State
    {
        Measuring,
        Paced,
        Unpaced
    };

    void measure(sf::Time time);
    void paceAtDisplayRate();
    void sleepUntil(sf::Time time);

    State state;
    RefreshRate refreshRate;
    kit::TimeSource now;
    Sleep sleep;
    sf::Time interval;
    sf::Time deadline;
    bool anchored = false;
    // How long before a deadline the sleep is asked to end; it grows when the system wakes the sleep late.
    sf::Time margin;
    // The intervals of the first second's frames, while the pace is measured.
    std::vector<sf::Time> measured;
    sf::Time firstFrame;
    sf::Time lastFrame;
};
