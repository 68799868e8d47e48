#pragma once

#include "game/MusicTrack.hpp"
#include "render/BatchableShape.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

// The white card with the title that fades in over the last four seconds of the base stem.
// The card follows the title one frame behind.
class EndingCard
{
public:
    explicit EndingCard(const sf::Font& font);

    void update(const MusicTrack& base);

    float getFadeLevel() const { return fadeLevel; }
    const sf::RectangleShape& getCard() const { return card; }
    const sf::Text& getTitle() const { return title; }

private:
    BatchableShape<sf::RectangleShape> card;
    sf::Text title;
    float fadeLevel = 0.f;
};

// The fade level as an alpha: truncated, and never past opaque.
sf::Uint8 fadeAlpha(float fadeLevel);

// The countdown's text: 10 minus the whole seconds played, never below 0.
std::string countdownText(sf::Time playingOffset);
