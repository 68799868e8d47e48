#include "sprites/SpriteEntity.hpp"

#include "render/VertexBatch.hpp"

#include <utility>

SpriteEntity::SpriteEntity(const sf::Texture& texture, const std::string& animationFile, const kit::TimeSource& now)
    : sf::Sprite(texture)
{
    if (!animationFile.empty())
        loadAnimations(animationFile, animations, now);
}

void SpriteEntity::play(int index)
{
    if (index < 0 || index >= static_cast<int>(animations.size()))
        return;
    currentAnimation = index;
    animations[static_cast<std::size_t>(index)].reset();
}

void SpriteEntity::play(const std::string& name)
{
    for (std::size_t i = 0; i < animations.size(); ++i)
        if (animations[i].name == name)
            play(static_cast<int>(i));
}

Animation* SpriteEntity::getAnimation(const std::string& name)
{
    if (animations.empty())
        return nullptr;
    for (Animation& animation : animations)
        if (animation.name == name)
            return &animation;
    return &animations.front();
}

void SpriteEntity::update()
{
    if (!animating)
        return;
    // currentAnimation is a public field: one that points outside the list plays nothing.
    if (currentAnimation < 0 || currentAnimation >= static_cast<int>(animations.size()))
        return;
    Animation& animation = animations[static_cast<std::size_t>(currentAnimation)];
    if (animation.frames.empty())
        return;
    animation.update();
    setTextureRect(animation.getCurrentFrame()->rect);
}

bool SpriteEntity::collidesWith(const sf::Sprite& other) const
{
    return getGlobalBounds().intersects(other.getGlobalBounds());
}

bool SpriteEntity::collidesWithAny(const std::vector<SpriteEntity*>& candidates, SpriteEntity& hit) const
{
    for (SpriteEntity* candidate : candidates)
    {
        if (candidate != nullptr && collidesWith(*candidate))
        {
            hit = *candidate;
            return true;
        }
    }
    return false;
}

void SpriteEntity::appendTo(VertexBatch& batch) const
{
    appendSprite(batch, *this);
}
