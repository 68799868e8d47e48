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
    enlarged.setPosition(static_cast<float>((area.x - std::min(covered.x, area.x)) / 2),
                         static_cast<float>((area.y - std::min(covered.y, area.y)) / 2));
    target.draw(enlarged, sf::RenderStates::Default);
}

void presentCanvas(sf::RenderWindow& window, sf::RenderTexture& picture)
{
    drawEnlarged(window, picture);
    window.display();
}

void drawFlicker(sf::RenderTarget& target)
{
    sf::RectangleShape overlay(sf::Vector2f(static_cast<float>(CANVAS_WIDTH), static_cast<float>(CANVAS_HEIGHT)));
    overlay.setFillColor(sf::Color(146, 146, 146, static_cast<sf::Uint8>(kit::random(0, 1))));
    target.draw(overlay, sf::RenderStates::Default);
}
