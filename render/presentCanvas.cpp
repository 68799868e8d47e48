#include "render/presentCanvas.hpp"

#include "app/Settings.hpp"

#include "kit/Random.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

void drawEnlarged(sf::RenderTarget& target, sf::RenderTexture& picture)
{
    picture.display();
    // The canvas texture is never smoothed, so one scaled draw straight to the target gives the sharp blocks;
    // an intermediate 900x600 target would only cost a second full-window draw.
    sf::Sprite enlarged(picture.getTexture());
    constexpr float scale = static_cast<float>(WINDOW_WIDTH) / static_cast<float>(CANVAS_WIDTH);
    enlarged.setScale(scale, scale);
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
