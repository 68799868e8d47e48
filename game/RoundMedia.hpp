#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

// The pictures and the font one game draws with. The resource cache owns them; they outlive the round.
struct RoundMedia
{
    const sf::Texture& player;
    const sf::Texture& background;
    const sf::Texture& regionSelector;
    const sf::Texture& time;
    const sf::Texture& dust;
    const sf::Font& font;
};
