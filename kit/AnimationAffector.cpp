#include "kit/AnimationAffector.hpp"

#include <utility>

namespace kit
{

AnimationAffector::AnimationAffector(Animation function)
    : animation(std::move(function))
{
}

void AnimationAffector::operator()(Particle& particle, sf::Time)
{
    animation(particle, getElapsedRatio(particle));
}

} // namespace kit
