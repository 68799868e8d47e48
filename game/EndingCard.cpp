#include "game/EndingCard.hpp"

#include "app/Settings.hpp"

#include <algorithm>

namespace
{
const std::string TitleText = "Marrowfen";
constexpr unsigned TitleSize = 16;
const sf::Time FadeLength = sf::seconds(4.f);
} // namespace

EndingCard::EndingCard(const sf::Font& font)
    : card(sf::Vector2f(static_cast<float>(CANVAS_WIDTH), static_cast<float>(CANVAS_HEIGHT)))
    , title(TitleText, font, TitleSize)
{
    card.setFillColor(sf::Color(255, 255, 255, 0));
    title.setFillColor(sf::Color(0, 0, 0, 0));
    title.setPosition(static_cast<float>(CANVAS_WIDTH) / 2.f, static_cast<float>(CANVAS_HEIGHT) / 2.f);
    // Whole-pixel origin, so the pixel font stays on the pixel grid: the halves are rounded down on purpose.
    const sf::FloatRect bounds = title.getLocalBounds();
    const int left = static_cast<int>(bounds.left);
    const int top = static_cast<int>(bounds.top);
    const int originX = left + static_cast<int>(bounds.width) / 2;
    const int originY = top + static_cast<int>(bounds.height) / 2;
    title.setOrigin(static_cast<float>(originX), static_cast<float>(originY));
}

void EndingCard::update(const MusicTrack& base)
{
    card.setFillColor(sf::Color(255, 255, 255, fadeAlpha(fadeLevel)));

    const sf::Time fadeStart = base.getDuration() - FadeLength;
    const sf::Time offset = base.getPlayingOffset();
    if (offset > fadeStart)
        fadeLevel = (offset.asSeconds() - fadeStart.asSeconds()) * 255.f * 0.25f;

    title.setFillColor(sf::Color(0, 0, 0, fadeAlpha(fadeLevel)));
}

sf::Uint8 fadeAlpha(float fadeLevel)
{
    return static_cast<sf::Uint8>(std::clamp(static_cast<int>(fadeLevel), 0, 255));
}

std::string countdownText(sf::Time playingOffset)
{
    const auto wholeSeconds = playingOffset.asMicroseconds() / 1000000;
    return std::to_string(std::max<sf::Int64>(10 - wholeSeconds, 0));
}
