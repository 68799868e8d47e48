#pragma once

#include "kit/EmissionInterface.hpp"
#include "kit/Particle.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Time.hpp>

#include <functional>
#include <vector>

namespace kit
{

// Particles on one texture, fed by emitters and shaped by affectors, drawn in a single call.
// Emitters and affectors are function objects: pass std::ref(object) to keep one by reference, so that changes
// made to it later still act here.
class ParticleSystem : public sf::Drawable, private EmissionInterface
{
public:
    using Emitter = std::function<void(EmissionInterface&, sf::Time)>;
    using Affector = std::function<void(Particle&, sf::Time)>;

    // The texture must outlive the system; every particle shows the whole of it.
    explicit ParticleSystem(const sf::Texture& texture);
    // Without a texture the particles live and move but have no size, so nothing shows.
    ParticleSystem();

    void addEmitter(Emitter emitter);
    void addAffector(Affector affector);

    // Emitters emit, then every particle ages and moves; those whose life is over go, the affectors act on the rest.
    void update(sf::Time dt);

    const std::vector<Particle>& getParticles() const { return particles; }
    // One quad per living particle, in the particles' order, as of the last update.
    const sf::VertexArray& getVertices() const { return vertices; }

private:
    void emitParticle(const Particle& particle) override;
    void rebuildVertices();
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    const sf::Texture* texture = nullptr;
    std::vector<Emitter> emitters;
    std::vector<Affector> affectors;
    std::vector<Particle> particles;
    sf::VertexArray vertices;
};

} // namespace kit
