#pragma once

#include "kit/Particle.hpp"

namespace kit
{

// What an emitter sees of the particle system it feeds.
class EmissionInterface
{
public:
    virtual ~EmissionInterface() = default;
    virtual void emitParticle(const Particle& particle) = 0;
};

} // namespace kit
