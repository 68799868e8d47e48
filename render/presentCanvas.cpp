#include "render/presentCanvas.hpp"

#include "app/Settings.hpp"

#include "kit/Random.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>

void drawEnlarged(sf::RenderTarget& target, sf::RenderTexture& picture)
{
    picture.display();
    const sf::Vector2u area = target.getSize();
    const sf::Vector2u size = picture.getSize();
    const unsigned factor = std::max(1u, std::min(area.x / size.x, area.y / size.y));
    const sf::Vector2u covered(size.x * factor, size.y * factor);
    // In a window of the picture's own shape the picture covers it all; on a screen of another shape the borders
    // are black.
    if (covered != area)
        target.clear(sf::Color(0, 0, 0, 255));
    // The canvas texture is never smoothed, so one scaled draw straight to the target gives the sharp blocks;
    // an intermediate target would only cost a second full-window draw. Whole pixels keep the blocks sharp.
    sf::Sprite enlarged(picture.getTexture());
    enlarged.setScale(static_cast<float>(factor), static_cast<float>(factor));
    // Centred on a whole pixel, rounded down.
    const sf::Vector2u corner((area.x - std::min(covered.x, area.x)) / 2, (area.y - std::min(covered.y, area.y)) / 2);
    enlarged.setPosition(static_cast<float>(corner.x), static_cast<float>(corner.y));
    target.draw(enlarged, sf::RenderStates::Default);
}

void presentCanvas(sf::RenderWindow& window, sf::RenderTexture& picture)
{
    drawEnlarged(window, picture);
    window.display();
}

void drawFlicker(sf::RenderTarget& target)
{
    const auto alpha = static_cast<sf::Uint8>(kit::random(0, 1));
    // Blended at alpha 0 the grey leaves every pixel as it is; the software renderer would still blend the whole
    // canvas for it.
    if (alpha == 0)
        return;
    sf::RectangleShape overlay(sf::Vector2f(static_cast<float>(CANVAS_WIDTH), static_cast<float>(CANVAS_HEIGHT)));
    overlay.setFillColor(sf::Color(146, 146, 146, alpha));
    target.draw(overlay, sf::RenderStates::Default);
}
