#include "sprites/TestTexture.hpp"
#include "world/Player.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace
{

const sf::Color Background(10, 20, 30);

sf::Image render(const std::function<void(sf::RenderTarget&)>& draw)
{
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(96, 96));
    target.clear(Background);
    draw(target);
    target.display();
    return target.getTexture().copyToImage();
}

// Compares the pixels of a region; reports the first that differs.
::testing::AssertionResult samePixels(const sf::Image& actual, const sf::Image& expected, sf::IntRect region)
{
    for (int y = region.top; y < region.top + region.height; ++y)
        for (int x = region.left; x < region.left + region.width; ++x)
        {
            const sf::Color a = actual.getPixel(x, y);
            const sf::Color e = expected.getPixel(x, y);
            if (a != e)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is (" << int(a.r) << ", " << int(a.g) << ", " << int(a.b)
                       << ", " << int(a.a) << "), expected (" << int(e.r) << ", " << int(e.g) << ", " << int(e.b)
                       << ", " << int(e.a) << ")";
        }
    return ::testing::AssertionSuccess();
}

const sf::IntRect WholePicture(0, 0, 96, 96);

} // namespace

TEST(PlayerDrawing, newPlayerDrawsExactlyLikeAPlainSpriteOfItsTexture)
{
    const sf::Texture texture = makeTestTexture(16, 10);
    Player player(texture, "");
    player.setPosition(20.f, 30.f);
    sf::Sprite plain(texture);
    plain.setPosition(20.f, 30.f);

    EXPECT_EQ(player.loveCircle.getRadius(), 0.f);
    EXPECT_EQ(player.loveCircle.getPointCount(), 30u);
    EXPECT_EQ(player.loveCircle.getFillColor(), sf::Color(255, 255, 255, 100));
    EXPECT_TRUE(samePixels(render([&](sf::RenderTarget& t) { t.draw(player); }),
                           render([&](sf::RenderTarget& t) { t.draw(plain); }), WholePicture));
}

TEST(PlayerDrawing, circleIsDrawnOverTheSpriteWithTheCallersStates)
{
    const sf::Texture texture = makeTestTexture(16, 10);
    Player player(texture, "");
    player.setOrigin(8.f, 5.f);
    player.setPosition(40.f, 40.f);
    player.setRotation(30.f);
    player.loveCircle.setRadius(6.f);
    player.loveCircle.setOrigin(6.f, 6.f);
    player.loveCircle.setPosition(40.f, 40.f);
    player.loveCircle.setFillColor(sf::Color(0, 0, 255));
    const sf::Transform shift = sf::Transform().translate(7.f, -3.f);

    const sf::Image drawn = render([&](sf::RenderTarget& t) { t.draw(player, shift); });
    EXPECT_EQ(drawn.getPixel(47, 37), sf::Color(0, 0, 255));
    EXPECT_NE(drawn.getPixel(47 + 8, 37), Background);

    const sf::Sprite sprite = player;
    const sf::Image expected = render(
        [&](sf::RenderTarget& t)
        {
            t.draw(sprite, shift);
            t.draw(player.loveCircle, shift);
        });
    EXPECT_TRUE(samePixels(drawn, expected, WholePicture));
}

TEST(PlayerDrawing, movingScalingOrTurningThePlayerLeavesTheCircleAlone)
{
    const sf::Texture texture = makeTestTexture(16, 10);
    Player player(texture, "");
    player.setOrigin(8.f, 5.f);
    player.loveCircle.setRadius(8.f);
    player.loveCircle.setOrigin(8.f, 8.f);
    player.loveCircle.setPosition(72.f, 72.f);
    player.loveCircle.setOutlineThickness(2.f);
    player.loveCircle.setOutlineColor(sf::Color(0, 0, 0, 80));

    const sf::CircleShape circle = player.loveCircle;
    const sf::Image circleAlone = render([&](sf::RenderTarget& t) { t.draw(circle); });
    const sf::IntRect aroundCircle(58, 58, 30, 30);

    struct Pose
    {
        sf::Vector2f position;
        sf::Vector2f scale;
        float rotation;
    };
    for (const Pose pose : {Pose{{16.f, 16.f}, {1.f, 1.f}, 0.f}, Pose{{20.f, 30.f}, {0.5f, 0.5f}, 0.f},
                            Pose{{16.f, 16.f}, {1.f, 1.f}, 90.f}, Pose{{18.f, 18.f}, {2.f, 2.f}, 45.f}})
    {
        player.setPosition(pose.position);
        player.setScale(pose.scale);
        player.setRotation(pose.rotation);
        const sf::Image drawn = render([&](sf::RenderTarget& t) { t.draw(player); });
        EXPECT_NE(drawn.getPixel(static_cast<unsigned>(pose.position.x), static_cast<unsigned>(pose.position.y)),
                  Background);
        EXPECT_TRUE(samePixels(drawn, circleAlone, aroundCircle))
            << "at (" << pose.position.x << ", " << pose.position.y << "), scale " << pose.scale.x << ", turned "
            << pose.rotation;
    }
}
