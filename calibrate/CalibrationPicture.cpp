#include "calibrate/CalibrationPicture.hpp"

#include "app/Settings.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>

namespace
{

constexpr unsigned TextSize = 16; // the pixel font's own size: every glyph pixel one canvas pixel
constexpr float RulerY = 100.f;
constexpr float PixelsPerMs = 0.4f; // the ruler's 600 ms over 240 pixels
constexpr int RulerMs = 300;
const sf::Color Light(248, 244, 236);
const sf::Color Dim(120, 116, 128);
const sf::Color Estimate(255, 100, 100);

// A filled rectangle of whole pixels, as two triangles.
void addBox(sf::VertexArray& vertices, float left, float top, float width, float height, sf::Color colour)
{
    const sf::Vector2f corners[] = {{left, top}, {left + width, top},          {left + width, top + height},
                                    {left, top}, {left + width, top + height}, {left, top + height}};
    for (const sf::Vector2f& corner : corners)
        vertices.append(sf::Vertex(corner, colour));
}

} // namespace

std::string offsetText(sf::Time offset)
{
    const auto ms = static_cast<long>(std::lround(static_cast<double>(offset.asMicroseconds()) / 1000.0));
    return (ms > 0 ? "+" : "") + std::to_string(ms) + " ms";
}

float CalibrationPicture::rulerX(sf::Time offset)
{
    const float ms =
        std::max(-static_cast<float>(RulerMs),
                 std::min(static_cast<float>(RulerMs), static_cast<float>(offset.asMicroseconds()) / 1000.f));
    return std::floor(static_cast<float>(CANVAS_WIDTH) / 2.f + ms * PixelsPerMs);
}

CalibrationPicture::CalibrationPicture(const sf::Font& pixelFont, const std::string& deviceName)
    : font(&pixelFont)
    , ruler(sf::Triangles)
    , marks(sf::Triangles)
{
    for (sf::Text* text : {&title, &instructions, &progress, &device, &keys, &labels[0], &labels[1], &labels[2]})
    {
        text->setFont(*font);
        text->setCharacterSize(TextSize);
        text->setFillColor(Light);
    }
    setLine(title, "Calibrate the beat", 8.f);
    setLine(instructions, "Press a key on every beat you hear", 28.f);
    // A device's name can be long; the screen shows what fits.
    setLine(device, deviceName.size() > 44 ? deviceName.substr(0, 43) + "..." : deviceName, 150.f);
    device.setFillColor(Dim);

    // The ruler: a line, a tick each 100 ms, the middle's taller, and its ends and middle named.
    const float left = rulerX(sf::milliseconds(-RulerMs));
    addBox(ruler, left, RulerY, rulerX(sf::milliseconds(RulerMs)) - left + 1.f, 1.f, Dim);
    for (int ms = -RulerMs; ms <= RulerMs; ms += 100)
    {
        const float height = ms == 0 ? 9.f : 5.f;
        addBox(ruler, rulerX(sf::milliseconds(ms)), RulerY - std::floor(height / 2.f), 1.f, height, Dim);
    }
    const int named[] = {-RulerMs, 0, RulerMs};
    for (int i = 0; i < 3; ++i)
    {
        labels[i].setString(named[i] == 0 ? "0" : (named[i] > 0 ? "+" : "") + std::to_string(named[i]));
        labels[i].setFillColor(Dim);
        const float width = labels[i].getLocalBounds().width;
        labels[i].setPosition(std::floor(rulerX(sf::milliseconds(named[i])) - width / 2.f), RulerY + 6.f);
    }
}

void CalibrationPicture::setLine(sf::Text& text, const std::string& line, float y)
{
    text.setString(line);
    // Centred on whole pixels, so the font stays crisp.
    const float width = text.getLocalBounds().width;
    text.setPosition(std::floor((static_cast<float>(CANVAS_WIDTH) - width) / 2.f), y);
}

void CalibrationPicture::update(const Calibration& calibration)
{
    const OffsetEstimate& estimate = calibration.getEstimate();
    const std::vector<sf::Time>& presses = estimate.getPresses();
    marks.clear();
    for (std::size_t i = 0; i < presses.size(); ++i)
        addBox(marks, rulerX(presses[i]), RulerY - 12.f, 1.f, 8.f, i + 1 == presses.size() ? Light : Dim);
    if (estimate.isReady())
    {
        addBox(marks, rulerX(estimate.getOffset()) - 1.f, RulerY - 14.f, 3.f, 29.f, Estimate);
        setLine(progress,
                "Offset " + offsetText(estimate.getOffset()) + " from " + std::to_string(estimate.getCounted()) +
                    " presses",
                124.f);
    }
    else
        setLine(progress,
                std::to_string(presses.size()) + " of " + std::to_string(OffsetEstimate::PressesNeeded) + " presses",
                124.f);
    if (calibration.wasSaveRefused() && !estimate.isReady())
        setLine(keys, std::to_string(OffsetEstimate::PressesNeeded) + " presses first; Escape leaves", 176.f);
    else if (calibration.isMusicOver() && !estimate.isReady())
        setLine(keys, "Too few presses; Escape leaves", 176.f);
    else
        setLine(keys, estimate.isReady() ? "Enter saves, Escape leaves" : "Escape leaves", 176.f);
}

void CalibrationPicture::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    target.draw(ruler, states);
    target.draw(marks, states);
    for (const sf::Text* text : {&title, &instructions, &progress, &device, &keys, &labels[0], &labels[1], &labels[2]})
        target.draw(*text, states);
}
