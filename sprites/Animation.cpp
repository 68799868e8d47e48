#include "sprites/Animation.hpp"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <utility>

Animation::Animation(std::string animationName, kit::TimeSource timeSource)
    : name(std::move(animationName))
    , now(std::move(timeSource))
    , frameEntered(now())
{
}

void Animation::update()
{
    // Written as "not greater" so that a speed or duration that is not a number stops the animation too.
    if (!(fps > 0.f) || frames.empty())
        return;
    const std::optional<Frame> frame = getCurrentFrame();
    if (!(frame->relativeDuration > 0.f) || finished)
        return;

    const int elapsedMs = getElapsedTime().asMilliseconds();
    const double frameMs = 1000.0 / fps * frame->relativeDuration;
    if (elapsedMs < frameMs)
        return;

    if (currentFrame < static_cast<int>(frames.size()) - 1)
        ++currentFrame;
    else
        end();
    // The time beyond the frame's time is dropped: a game that updates rarely plays slowly instead of skipping.
    restartClock();
}

void Animation::reset()
{
    finished = false;
    currentFrame = 0;
    restartClock();
}

std::optional<Frame> Animation::getFrame(int index) const
{
    if (frames.empty())
        return std::nullopt;
    if (index < 0 || index >= static_cast<int>(frames.size()))
        return frames.front();
    return frames[static_cast<std::size_t>(index)];
}

void Animation::end()
{
    switch (endMode)
    {
        case StopOnLast:
            finished = true;
            break;
        case Loop:
            currentFrame = 0;
            break;
        case StopOnFirst:
            finished = true;
            currentFrame = 0;
            break;
        default:
            break;
    }
}

namespace
{

// More frames than any sheet holds; a bound on what a small file can make us allocate.
constexpr long long MaxFramesPerFile = 1 << 16;

// Row and count are written as floating-point numbers and cut toward zero. A value that no int holds, infinity
// included, would make that cut undefined, so it is refused like any other number out of range.
int truncateToInt(float value, const std::string& what)
{
    if (std::isnan(value))
        throw std::invalid_argument(what + " is not a number");
    const double whole = std::trunc(static_cast<double>(value));
    if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max())
        throw std::out_of_range(what + " out of range");
    return static_cast<int>(whole);
}

// Frame rectangles are products of the file's numbers; one that leaves the range of int is refused.
int pixelCoordinate(long long value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw std::out_of_range("animation frame rectangle out of range");
    return static_cast<int>(value);
}

} // namespace

void loadAnimations(const std::string& path, std::vector<Animation>& animations, const kit::TimeSource& now)
{
    // A folder opens as a stream but reads nothing; like any path that is not a readable file it adds nothing.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return;
    std::ifstream file(path);
    if (!file.is_open())
        return;
    readAnimations(file, animations, now);
}

void readAnimations(std::istream& file, std::vector<Animation>& animations, const kit::TimeSource& now)
{
    // Converted even when the read failed: an empty or truncated file is an error, not a sheet of size zero.
    std::string widthToken;
    std::string heightToken;
    file >> widthToken >> heightToken;
    const int frameWidth = std::stoi(widthToken);
    const int frameHeight = std::stoi(heightToken);

    long long framesMade = 0;
    while (file.good())
    {
        std::string name;
        if (!(file >> name))
            break;

        // A record cut short by the end of the file keeps 0 for what is missing.
        float row = 0.f;
        float count = 0.f;
        float speed = 0.f;
        std::string token;
        if (file >> token)
            row = std::stof(token);
        if (file >> token)
            count = std::stof(token);
        if (file >> token)
            speed = std::stof(token);

        const int sheetRow = truncateToInt(row, "animation row");
        const int frameCount = truncateToInt(count, "animation frame count");
        if (frameCount > 0 && framesMade + frameCount > MaxFramesPerFile)
            throw std::out_of_range("too many animation frames");

        Animation animation(name, now);
        animation.fps = speed;
        if (frameCount > 0)
        {
            const int top = pixelCoordinate(static_cast<long long>(sheetRow) * frameHeight);
            animation.frames.reserve(static_cast<std::size_t>(frameCount));
            for (int i = 0; i < frameCount; ++i)
            {
                const int left = pixelCoordinate(static_cast<long long>(i) * frameWidth);
                animation.frames.push_back(Frame{1.f, sf::IntRect(left, top, frameWidth, frameHeight)});
            }
            framesMade += frameCount;
        }
        animations.push_back(std::move(animation));
    }
}
