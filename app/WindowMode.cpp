#include "app/WindowMode.hpp"

#include "app/Settings.hpp"

#include <algorithm>

unsigned largestScale(sf::Vector2u area)
{
    return std::max(1u, std::min(area.x / CANVAS_WIDTH, area.y / CANVAS_HEIGHT));
}

WindowMode windowModeFor(int scale, bool fullscreen, sf::Vector2u desktop, std::string& problem)
{
    problem.clear();
    WindowMode mode;
    mode.fullscreen = fullscreen;
    const auto wanted = static_cast<unsigned>(std::max(scale, 1));
    if (wanted == mode.scale || wanted <= largestScale(desktop))
    {
        mode.scale = wanted;
        return mode;
    }
    problem = "a scale of " + std::to_string(wanted) + " makes a " + std::to_string(wanted * CANVAS_WIDTH) + "x" +
              std::to_string(wanted * CANVAS_HEIGHT) + " window, larger than the desktop's " +
              std::to_string(desktop.x) + "x" + std::to_string(desktop.y) + " (at most " +
              std::to_string(largestScale(desktop)) + " fits); the window keeps the scale of " +
              std::to_string(mode.scale);
    return mode;
}
