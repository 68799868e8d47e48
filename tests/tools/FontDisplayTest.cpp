#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <map>

namespace
{

struct Coverage
{
    std::map<int, int> alphaCounts;
    int inked = 0;
};

// Draws the text as the game does (character size 16, whole-pixel position) into a clear picture and counts the
// alpha values it leaves.
Coverage render(const sf::Font& font, const std::string& string, sf::Vector2f position, bool centred)
{
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(300, 200));
    target.clear(sf::Color::Transparent);
    sf::Text text(string, font, 16);
    text.setFillColor(sf::Color::White);
    if (centred)
    {
        // The title's origin: its local bounds, truncated, and halved with integer division.
        const sf::FloatRect bounds = text.getLocalBounds();
        const int left = static_cast<int>(bounds.left), top = static_cast<int>(bounds.top);
        const int originX = left + static_cast<int>(bounds.width) / 2;
        const int originY = top + static_cast<int>(bounds.height) / 2;
        text.setOrigin(static_cast<float>(originX), static_cast<float>(originY));
    }
    text.setPosition(position);
    target.draw(text);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    Coverage coverage;
    for (unsigned y = 0; y < image.getSize().y; ++y)
    {
        for (unsigned x = 0; x < image.getSize().x; ++x)
        {
            const int alpha = image.getPixel(x, y).a;
            ++coverage.alphaCounts[alpha];
            coverage.inked += alpha == 255 ? 1 : 0;
        }
    }
    return coverage;
}

void expectCrisp(const Coverage& coverage, const std::string& what)
{
    for (const auto& count : coverage.alphaCounts)
    {
        EXPECT_TRUE(count.first == 0 || count.first == 255)
            << what << ": " << count.second << " pixels of alpha " << count.first;
    }
    EXPECT_GT(coverage.inked, 0) << what << " drew nothing";
}

} // namespace

TEST(FontDisplay, TitleAndCountdownDrawWithWholePixelsOnly)
{
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("resources/FreePixel.ttf"));
    expectCrisp(render(font, "Marrowfen", {150, 100}, true), "the title");
    for (int n = 0; n <= 10; ++n)
    {
        expectCrisp(render(font, std::to_string(n), {28, 5}, false), "countdown " + std::to_string(n));
    }
}

TEST(FontDisplay, EveryPrintableCharacterIsDrawnCrisp)
{
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("resources/FreePixel.ttf"));
    for (char c = 33; c < 127; ++c)
    {
        const Coverage coverage = render(font, std::string(1, c), {10, 10}, false);
        expectCrisp(coverage, std::string("'") + c + "'");
        // Every advance and bound is a whole pixel, so a run of glyphs stays on the grid too.
        const sf::Glyph& glyph = font.getGlyph(static_cast<sf::Uint32>(c), 16, false);
        EXPECT_EQ(glyph.advance, static_cast<float>(static_cast<int>(glyph.advance))) << c;
    }
    expectCrisp(render(font, "The quick brown fox jumps over the lazy dog. 0123456789", {3, 40}, false), "a sentence");
}
