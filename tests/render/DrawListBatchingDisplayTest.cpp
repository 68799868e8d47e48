// The draw list's batched picture against the same entries drawn one by one, as the game drew them before it
// batched: the game's own drawables, overlapping, on two textures and none, with an entry that cannot be batched
// between them.
#include "app/Settings.hpp"
#include "render/BatchableShape.hpp"
#include "render/DrawList.hpp"
#include "sprites/SpriteEntity.hpp"
#include "sprites/TestTexture.hpp"
#include "support/BeatDriver.hpp"
#include "world/Baseballer.hpp"
#include "world/CountingCue.hpp"
#include "world/Player.hpp"

#include <SFML/Graphics.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

sf::Image drawn(const DrawList& list, bool batched)
{
    sf::RenderTexture target;
    target.create(CANVAS_WIDTH, CANVAS_HEIGHT);
    target.clear(sf::Color(30, 60, 90));
    if (batched)
        list.draw(target);
    else
        for (const DrawEntry& entry : list.getEntries())
            if (entry.visible)
                target.draw(*entry.drawable);
    target.display();
    return target.getTexture().copyToImage();
}

// A batch moves the shapes' corners on the processor, while a shape drawn on its own has the driver move them: where
// an edge runs through a pixel's centre the two may round apart. Mesa's software renderer, which the tests run on,
// gives the same picture to the pixel; a lost, misplaced or wrongly textured piece changes hundreds.
constexpr int StrayPixelsAllowed = 4;

// How many pixels differ; the first of them is named.
::testing::AssertionResult fewDiffer(const sf::Image& shown, const sf::Image& expected)
{
    int differing = 0;
    std::string first;
    for (unsigned y = 0; y < CANVAS_HEIGHT; ++y)
        for (unsigned x = 0; x < CANVAS_WIDTH; ++x)
            if (shown.getPixel(x, y) != expected.getPixel(x, y) && differing++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    if (differing > StrayPixelsAllowed)
        return ::testing::AssertionFailure() << differing << " pixels differ; the first is " << first;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(DrawListBatching, GivesThePictureOfTheEntriesDrawnOneByOne)
{
    const sf::Texture first = makeTestTexture(12, 10);
    sf::Texture second = makeTestTexture(7, 9);
    second.setRepeated(true);
    DrawList list;

    // Three overlapping sprites on the first, second and first texture again: a batcher that joined the two on the
    // first texture, or kept the second in their run, would show the wrong one where they overlap.
    std::vector<std::unique_ptr<SpriteEntity>> sprites;
    for (const sf::Texture* texture : {&first, static_cast<const sf::Texture*>(&second), &first})
    {
        sprites.push_back(std::make_unique<SpriteEntity>(*texture, ""));
        SpriteEntity& sprite = *sprites.back();
        sprite.setPosition(40.f + 12.f * static_cast<float>(sprites.size()), 50.f);
        sprite.setScale(4.f, 3.f);
        sprite.setRotation(20.f * static_cast<float>(sprites.size()));
        sprite.setColor(sf::Color(255, 180, 140, 200));
        list.add(sprite, 5);
    }
    sprites.back()->setTextureRect(sf::IntRect(2, 1, 8, 7));
    SpriteEntity hidden(second, ""); // hidden: draws nothing, batched or not
    hidden.setPosition(60.f, 50.f);
    list.add(hidden, 5, false);
    sf::CircleShape plain(20.f, 12); // drawn on its own, between the sprites and what is in front of them
    plain.setPosition(60.f, 40.f);
    plain.setFillColor(sf::Color(20, 200, 60, 160));
    list.add(plain, 4);

    Player player(second, "");
    player.setPosition(150.f, 100.f);
    player.setRotation(33.f);
    player.setScale(0.8f, 0.8f);
    player.setColor(sf::Color(255, 100, 100, 255));
    player.loveCircle.setRadius(30.f);
    player.loveCircle.setFillColor(sf::Color(255, 255, 255, 120));
    player.loveCircle.setOutlineColor(sf::Color(0, 0, 0, 80));
    player.loveCircle.setOutlineThickness(2.3f);
    player.loveCircle.setOrigin(27.7f, 27.7f);
    player.loveCircle.setPosition(player.getPosition());
    list.add(player, 3);

    // Baseballers mid-stroke, one of them in the love's red, over the player and its circle, and one across the
    // picture's corner.
    BeatDriver beats;
    CountingCue blow;
    std::vector<std::unique_ptr<Baseballer>> flock;
    for (int i = 0; i < 6; ++i)
    {
        flock.push_back(std::make_unique<Baseballer>(i));
        Baseballer& baseballer = *flock.back();
        baseballer.setScale(8.f + 4.f * static_cast<float>(i), 8.f + 4.f * static_cast<float>(i));
        baseballer.setPosition(110.f + 18.f * static_cast<float>(i), 60.f + 12.f * static_cast<float>(i));
        if (i == 5) // across the picture's corner: its triangles partly out of sight
            baseballer.setPosition(static_cast<float>(CANVAS_WIDTH) - 4.f, static_cast<float>(CANVAS_HEIGHT) - 3.f);
        for (int step = 0; step <= i; ++step)
            baseballer.update(0.03f, beats.board, blow);
        list.add(baseballer, 1);
    }
    flock[2]->applyLove(0.1f, false, flock[2]->getWingA().getPosition(), 40.f, 200.f);

    // A textured shape and a half-white card in front of everything.
    BatchableShape<sf::CircleShape> disc(25.f, 9);
    disc.setTexture(&second);
    disc.setTextureRect(sf::IntRect(1, 2, 20, 14));
    disc.setPosition(200.f, 120.f);
    disc.setRotation(-15.f);
    list.add(disc, 0);
    BatchableShape<sf::RectangleShape> card(sf::Vector2f(static_cast<float>(CANVAS_WIDTH), 90.f));
    card.setFillColor(sf::Color(255, 255, 255, 70));
    list.add(card, -1);

    const sf::Image oneByOne = drawn(list, false);
    EXPECT_TRUE(fewDiffer(drawn(list, true), oneByOne));
    // Drawn again, in the buffers the first drawing left behind, the picture is the same.
    EXPECT_TRUE(fewDiffer(drawn(list, true), oneByOne));
}
