#include "kit/ParticleSystem.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <utility>

namespace kit
{

ParticleSystem::ParticleSystem(const sf::Texture& particleTexture)
    : texture(&particleTexture)
    , vertices(sf::Quads)
{
}

ParticleSystem::ParticleSystem()
    : vertices(sf::Quads)
{
}

void ParticleSystem::addEmitter(Emitter emitter)
{
    emitters.push_back(std::move(emitter));
}

void ParticleSystem::addAffector(Affector affector)
{
    affectors.push_back(std::move(affector));
}

void ParticleSystem::emitParticle(const Particle& particle)
{
    particles.push_back(particle);
}

void ParticleSystem::update(sf::Time dt)
{
    for (Emitter& emitter : emitters)
        emitter(*this, dt);

    // Particles that live on close up in their order, so the draw order stays the order of emission.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < particles.size(); ++i)
    {
        Particle& particle = particles[i];
        particle.passedLifetime += dt;
        if (particle.passedLifetime >= particle.totalLifetime)
            continue;
        particle.position += dt.asSeconds() * particle.velocity;
        for (Affector& affector : affectors)
            affector(particle, dt);
        if (kept != i)
            particles[kept] = particle;
        ++kept;
    }
    particles.erase(particles.begin() + static_cast<std::ptrdiff_t>(kept), particles.end());

    rebuildVertices();
}

void ParticleSystem::rebuildVertices()
{
    const sf::Vector2f size = texture ? sf::Vector2f(texture->getSize()) : sf::Vector2f();
    const sf::Vector2f half = size / 2.f;
    const sf::Vector2f corners[4] = {{-half.x, -half.y}, {half.x, -half.y}, {half.x, half.y}, {-half.x, half.y}};
    const sf::Vector2f texCoords[4] = {{0.f, 0.f}, {size.x, 0.f}, {size.x, size.y}, {0.f, size.y}};

    vertices.resize(particles.size() * 4);
    for (std::size_t i = 0; i < particles.size(); ++i)
    {
        const Particle& particle = particles[i];
        for (std::size_t corner = 0; corner < 4; ++corner)
        {
            sf::Vertex& vertex = vertices[i * 4 + corner];
            vertex.position = particle.position + corners[corner];
            vertex.texCoords = texCoords[corner];
            vertex.color = particle.color;
        }
    }
}

void ParticleSystem::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    states.texture = texture;
    target.draw(vertices, states);
}

} // namespace kit
