#pragma once

#include "kit/TimeSource.hpp"
#include "render/Batchable.hpp"
#include "sprites/Animation.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>
#include <vector>

// A sprite that can own named animations of its sheet, play one of them, and test itself for overlap with others.
// The texture is not owned and must outlive the entity. Copies carry the animations and the playback state.
class SpriteEntity : public sf::Sprite, public Batchable
{
public:
    // An empty path reads no file: the entity shows its whole texture. Malformed numbers in the file throw
    // std::invalid_argument or std::out_of_range. The animations' clocks read the given time source.
    SpriteEntity(const sf::Texture& texture, const std::string& animationFile,
                 const kit::TimeSource& now = kit::realTimeSource());
    ~SpriteEntity() override = default;

    SpriteEntity(const SpriteEntity&) = default;
    SpriteEntity& operator=(const SpriteEntity&) = default;

    // Selects and restarts an animation; does not switch playback on. An index outside the list is ignored.
    void play(int index);
    // Restarts every animation of that name; the last of them becomes current.
    void play(const std::string& name);
    // The first animation of that name, else the first of the list; null when there are none.
    Animation* getAnimation(const std::string& name);

    // While animating: advances the current animation and shows its current frame.
    void update();

    // Strict overlap of the global bounds: sprites that only touch do not collide.
    bool collidesWith(const sf::Sprite& other) const;
    // Copies the first colliding candidate into hit; leaves hit alone when none collides.
    bool collidesWithAny(const std::vector<SpriteEntity*>& candidates, SpriteEntity& hit) const;

    // The sprite, as sf::Sprite draws it. A subclass that draws more appends more.
    void appendTo(VertexBatch& batch) const override;

    std::vector<Animation> animations;
    int currentAnimation = 0;
    bool animating = false;
};
