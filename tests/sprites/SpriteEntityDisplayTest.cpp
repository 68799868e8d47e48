#include "sprites/SpriteEntity.hpp"
#include "sprites/TempAnimationFile.hpp"
#include "sprites/TestTexture.hpp"
#include "support/ScriptedTime.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace
{

// A 64 by 32 sheet of 16 by 16 cells described by the given records, on a scripted clock.
struct Sheet
{
    explicit Sheet(const std::string& records)
        : file("16 16 " + records)
    {
    }

    sf::Texture texture = makeTestTexture(64, 32);
    TempAnimationFile file;
    ScriptedTime clock;
    SpriteEntity entity{texture, file.name(), clock.source()};
};

SpriteEntity boxAt(const sf::Texture& texture, float x, float y, int width, int height)
{
    SpriteEntity entity(texture, "");
    entity.setTextureRect(sf::IntRect(0, 0, width, height));
    entity.setPosition(x, y);
    return entity;
}

} // namespace

TEST(SpriteEntity, withoutAnimationFileShowsTheWholeTextureAndIgnoresPlayback)
{
    const sf::Texture texture = makeTestTexture(24, 12);
    SpriteEntity entity(texture, "");
    EXPECT_TRUE(entity.animations.empty());
    EXPECT_EQ(entity.currentAnimation, 0);
    EXPECT_FALSE(entity.animating);
    EXPECT_EQ(entity.getTexture(), &texture);
    EXPECT_EQ(entity.getTextureRect(), sf::IntRect(0, 0, 24, 12));

    entity.animating = true;
    entity.play(0);
    entity.play("walk");
    entity.update();
    EXPECT_EQ(entity.currentAnimation, 0);
    EXPECT_EQ(entity.getTextureRect(), sf::IntRect(0, 0, 24, 12));
    EXPECT_EQ(entity.getAnimation("walk"), nullptr);
}

TEST(SpriteEntity, loadsItsAnimationFileInOrder)
{
    Sheet sheet("idle 0 1 1 walk 1 4 8");
    ASSERT_EQ(sheet.entity.animations.size(), 2u);
    EXPECT_EQ(sheet.entity.animations[0].name, "idle");
    EXPECT_EQ(sheet.entity.animations[1].name, "walk");
    EXPECT_EQ(sheet.entity.animations[1].frames[3].rect, sf::IntRect(48, 16, 16, 16));
    // Loading selects nothing: the whole sheet shows until an update while animating.
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(0, 0, 64, 32));
}

TEST(SpriteEntity, malformedAnimationFileThrowsOutOfTheConstructor)
{
    const sf::Texture texture = makeTestTexture(4, 4);
    TempAnimationFile bad("16 16 walk 0 four 8");
    EXPECT_THROW(SpriteEntity(texture, bad.name()), std::invalid_argument);
    TempAnimationFile huge("16 16 walk 1e30 1 8");
    EXPECT_THROW(SpriteEntity(texture, huge.name()), std::out_of_range);
}

TEST(SpriteEntity, missingAnimationFileGivesNoAnimations)
{
    const sf::Texture texture = makeTestTexture(4, 4);
    SpriteEntity entity(texture, "no/such/file.anim");
    EXPECT_TRUE(entity.animations.empty());
}

TEST(SpriteEntity, updateDoesNothingWhilePlaybackIsOff)
{
    Sheet sheet("walk 1 4 10");
    sheet.entity.play(0);
    for (int i = 0; i < 5; ++i)
    {
        sheet.clock.advance(sf::milliseconds(100));
        sheet.entity.update();
    }
    EXPECT_EQ(sheet.entity.animations[0].currentFrame, 0);
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(0, 0, 64, 32));
}

TEST(SpriteEntity, updateWhileAnimatingShowsTheCurrentFrame)
{
    Sheet sheet("idle 0 1 1 walk 1 4 10");
    sheet.entity.play(1);
    sheet.entity.animating = true;
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(0, 16, 16, 16));
    sheet.clock.advance(sf::milliseconds(100));
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(16, 16, 16, 16));
    // The frame is shown on every update, even when the rectangle was changed in between.
    sheet.entity.setTextureRect(sf::IntRect(1, 2, 3, 4));
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(16, 16, 16, 16));
}

TEST(SpriteEntity, animationWithoutFramesLeavesTheRectangleAlone)
{
    Sheet sheet("empty 0 0 10");
    sheet.entity.animating = true;
    sheet.clock.advance(sf::seconds(1));
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(0, 0, 64, 32));
}

TEST(SpriteEntity, playSelectsAndRestartsWithoutTouchingOthers)
{
    Sheet sheet("idle 0 2 10 walk 1 4 10");
    sheet.entity.animating = true;
    sheet.clock.advance(sf::milliseconds(100));
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.animations[0].currentFrame, 1);

    sheet.clock.advance(sf::milliseconds(60));
    sheet.entity.play(1);
    EXPECT_EQ(sheet.entity.currentAnimation, 1);
    EXPECT_EQ(sheet.entity.animations[1].getElapsedTime(), sf::Time::Zero);
    EXPECT_EQ(sheet.entity.animations[0].currentFrame, 1);
    EXPECT_EQ(sheet.entity.animations[0].getElapsedTime(), sf::milliseconds(60));
    EXPECT_TRUE(sheet.entity.animating);
}

TEST(SpriteEntity, playWithAnIndexOutsideTheListChangesNothing)
{
    Sheet sheet("idle 0 2 10 walk 1 4 10");
    sheet.entity.play(1);
    sheet.entity.play(2);
    sheet.entity.play(-1);
    EXPECT_EQ(sheet.entity.currentAnimation, 1);
}

TEST(SpriteEntity, currentAnimationOutsideTheListPlaysNothing)
{
    Sheet sheet("walk 1 4 10");
    sheet.entity.animating = true;
    sheet.entity.currentAnimation = 3;
    sheet.entity.update();
    EXPECT_EQ(sheet.entity.getTextureRect(), sf::IntRect(0, 0, 64, 32));
}

TEST(SpriteEntityLookup, playByNameResetsEveryMatchAndEndsOnTheLast)
{
    Sheet sheet("jump 0 2 10 walk 1 2 10 jump 1 4 10 idle 0 1 1");
    sheet.entity.animating = true;
    sheet.clock.advance(sf::milliseconds(100));
    for (Animation& animation : sheet.entity.animations)
        animation.update();
    ASSERT_EQ(sheet.entity.animations[0].currentFrame, 1);

    sheet.entity.play("jump");
    EXPECT_EQ(sheet.entity.currentAnimation, 2);
    EXPECT_EQ(sheet.entity.animations[0].currentFrame, 0);
    EXPECT_EQ(sheet.entity.animations[2].currentFrame, 0);
    EXPECT_EQ(sheet.entity.animations[1].currentFrame, 1);
}

TEST(SpriteEntityLookup, namesMatchWholeAndExactly)
{
    Sheet sheet("walk 0 1 1 run 0 1 1");
    sheet.entity.play(1);
    for (const char* name : {"Walk", "wal", "walk ", "walking", ""})
    {
        sheet.entity.play(name);
        EXPECT_EQ(sheet.entity.currentAnimation, 1) << name;
    }
    EXPECT_EQ(sheet.entity.getAnimation("ru"), &sheet.entity.animations[0]);
}

TEST(SpriteEntityLookup, getAnimationGivesTheFirstMatchElseTheFirstAnimation)
{
    Sheet sheet("idle 0 1 1 jump 0 2 10 jump 1 4 10");
    EXPECT_EQ(sheet.entity.getAnimation("jump"), &sheet.entity.animations[1]);
    EXPECT_EQ(sheet.entity.getAnimation("idle"), &sheet.entity.animations[0]);
    EXPECT_EQ(sheet.entity.getAnimation("fly"), &sheet.entity.animations[0]);
}

TEST(SpriteEntity, copiesCarryTheAnimationsAndPlaybackState)
{
    Sheet sheet("idle 0 1 1 walk 1 4 10");
    sheet.entity.play(1);
    sheet.entity.animating = true;
    sheet.entity.setPosition(7.f, 9.f);
    SpriteEntity copy = sheet.entity;
    EXPECT_EQ(copy.animations.size(), 2u);
    EXPECT_EQ(copy.currentAnimation, 1);
    EXPECT_TRUE(copy.animating);
    EXPECT_EQ(copy.getPosition(), sf::Vector2f(7.f, 9.f));
    // The copy plays on its own.
    sheet.clock.advance(sf::milliseconds(100));
    copy.update();
    EXPECT_EQ(copy.animations[1].currentFrame, 1);
    EXPECT_EQ(sheet.entity.animations[1].currentFrame, 0);
}

TEST(SpriteEntityCollision, touchingEdgesDoNotCollideOnePixelOfOverlapDoes)
{
    const sf::Texture texture = makeTestTexture(16, 16);
    const SpriteEntity left = boxAt(texture, 10.f, 10.f, 10, 10);
    EXPECT_FALSE(left.collidesWith(boxAt(texture, 20.f, 10.f, 10, 10)));
    EXPECT_FALSE(left.collidesWith(boxAt(texture, 10.f, 20.f, 10, 10)));
    EXPECT_FALSE(left.collidesWith(boxAt(texture, 20.f, 20.f, 10, 10)));
    EXPECT_TRUE(left.collidesWith(boxAt(texture, 19.f, 10.f, 10, 10)));
    EXPECT_TRUE(left.collidesWith(boxAt(texture, 10.f, 19.f, 10, 10)));
    EXPECT_TRUE(left.collidesWith(boxAt(texture, 19.f, 19.f, 10, 10)));
}

TEST(SpriteEntityCollision, usesTheTransformedBounds)
{
    const sf::Texture texture = makeTestTexture(16, 16);
    SpriteEntity grown = boxAt(texture, 0.f, 0.f, 10, 10);
    const sf::Sprite other = boxAt(texture, 15.f, 0.f, 10, 10);
    EXPECT_FALSE(grown.collidesWith(other));
    grown.setScale(2.f, 1.f);
    EXPECT_TRUE(grown.collidesWith(other));
    grown.setOrigin(5.f, 0.f);
    EXPECT_FALSE(grown.collidesWith(other));
}

TEST(SpriteEntityCollision, anyCopiesTheFirstHitOrLeavesHitAlone)
{
    const sf::Texture texture = makeTestTexture(16, 16);
    const SpriteEntity self = boxAt(texture, 0.f, 0.f, 10, 10);
    SpriteEntity far = boxAt(texture, 50.f, 50.f, 10, 10);
    SpriteEntity first = boxAt(texture, 5.f, 0.f, 10, 10);
    SpriteEntity second = boxAt(texture, 0.f, 5.f, 10, 10);
    first.animating = true;

    SpriteEntity hit = boxAt(texture, 100.f, 100.f, 3, 3);
    EXPECT_FALSE(self.collidesWithAny({&far}, hit));
    EXPECT_FALSE(self.collidesWithAny({}, hit));
    EXPECT_EQ(hit.getPosition(), sf::Vector2f(100.f, 100.f));

    EXPECT_TRUE(self.collidesWithAny({&far, &first, &second}, hit));
    EXPECT_EQ(hit.getPosition(), first.getPosition());
    EXPECT_EQ(hit.getTextureRect(), first.getTextureRect());
    EXPECT_TRUE(hit.animating);
}
