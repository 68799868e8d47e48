#pragma once

#include "kit/TimeSource.hpp"
#include "sprites/Frame.hpp"

#include <istream>
#include <optional>
#include <string>
#include <vector>

// What an animation does once its last frame's time is up. Any other value of endMode leaves it on its last frame.
enum AnimationEnd : int
{
    StopOnLast = 0,
    Loop = 1,
    StopOnFirst = 2,
};

// A named run of frames played at fps frames per second. A plain value: copies carry their frames and their clock.
class Animation
{
public:
    explicit Animation(std::string name, kit::TimeSource now = kit::realTimeSource());

    // Steps at most one frame per call, once the current frame has been shown for its whole time.
    void update();
    void reset();
    void setEndMode(int mode) { endMode = mode; }
    // An index outside the frames gives the first frame; an animation without frames has none.
    std::optional<Frame> getFrame(int index) const;
    std::optional<Frame> getCurrentFrame() const { return getFrame(currentFrame); }
    void setCurrentFrame(int index) { currentFrame = index; }
    // Applies the end mode, leaving the clock alone.
    void end();

    // Time since the current frame was entered.
    sf::Time getElapsedTime() const { return now() - frameEntered; }
    void restartClock() { frameEntered = now(); }

    std::string name;
    float fps = 0.f;
    int currentFrame = 0;
    std::vector<Frame> frames;
    int endMode = Loop;
    bool finished = false;

private:
    kit::TimeSource now;
    sf::Time frameEntered;
};

// Reads an animation file and appends one animation per record to the list. A file that cannot be opened adds
// nothing. Malformed or unusable numbers throw std::invalid_argument or std::out_of_range; the animations read
// before the fault stay in the list. The loaded animations read their time from the given source.
void loadAnimations(const std::string& path, std::vector<Animation>& animations,
                    const kit::TimeSource& now = kit::realTimeSource());

// The same from an open stream, which the file is read through (and a fuzz target feeds without a file).
void readAnimations(std::istream& in, std::vector<Animation>& animations,
                    const kit::TimeSource& now = kit::realTimeSource());
