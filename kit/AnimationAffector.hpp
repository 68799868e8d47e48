#pragma once

#include "kit/Particle.hpp"

#include <SFML/System/Time.hpp>

#include <functional>

namespace kit
{

// Runs an animation on every living particle with the share of its life it has lived so far.
class AnimationAffector
{
public:
    using Animation = std::function<void(Particle&, float progress)>;

    explicit AnimationAffector(Animation animation);

    void operator()(Particle& particle, sf::Time dt);

private:
    Animation animation;
};

} // namespace kit
