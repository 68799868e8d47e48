#pragma once

#include "calibrate/Calibration.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <string>

// The calibration screen on the canvas, in the game's pixel font: what to do, a ruler of -300 to +300 ms with a mark
// for each press and the estimate once there is one, the output device, and the keys.
class CalibrationPicture : public sf::Drawable
{
public:
    CalibrationPicture(const sf::Font& font, const std::string& device);

    // Shows the calibration as it stands.
    void update(const Calibration& calibration);

    // Where a press of this offset is marked on the ruler, in canvas pixels from the left.
    static float rulerX(sf::Time offset);

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void setLine(sf::Text& text, const std::string& line, float y);

    const sf::Font* font;
    sf::Text title;
    sf::Text instructions;
    sf::Text progress;
    sf::Text device;
    sf::Text keys;
    sf::Text labels[3];
    sf::VertexArray ruler;
    sf::VertexArray marks;
};

// "+120 ms", "-35 ms", "0 ms".
std::string offsetText(sf::Time offset);
