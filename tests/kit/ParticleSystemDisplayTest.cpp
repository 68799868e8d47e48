#include "kit/ParticleSystem.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace
{

// Places one particle on each update, still and opaque, at the next of the given points.
struct Placer
{
    std::vector<sf::Vector2f> points;
    std::size_t next = 0;

    void operator()(kit::EmissionInterface& system, sf::Time)
    {
        if (next == points.size())
            return;
        kit::Particle particle(sf::seconds(10.f));
        particle.position = points[next++];
        system.emitParticle(particle);
    }
};

} // namespace

TEST(ParticleSystemDisplay, drawsEachParticleAsAQuadOfTheWholeTextureCentredOnIt)
{
    // Wider than high, so that a swapped width and height would show.
    sf::Image image;
    image.create(4, 2, sf::Color(200, 120, 40));
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(image));

    kit::ParticleSystem system(texture);
    Placer placer{{{10.f, 10.f}, {30.f, 5.f}}};
    system.addEmitter(std::ref(placer));
    system.update(sf::milliseconds(10));
    system.update(sf::milliseconds(10));

    const sf::VertexArray& vertices = system.getVertices();
    ASSERT_EQ(vertices.getPrimitiveType(), sf::Quads);
    ASSERT_EQ(vertices.getVertexCount(), 8u);
    const sf::Vector2f positions[] = {{8.f, 9.f},  {12.f, 9.f}, {12.f, 11.f}, {8.f, 11.f},
                                      {28.f, 4.f}, {32.f, 4.f}, {32.f, 6.f},  {28.f, 6.f}};
    const sf::Vector2f texCoords[] = {{0.f, 0.f}, {4.f, 0.f}, {4.f, 2.f}, {0.f, 2.f}};
    for (std::size_t i = 0; i < 8; ++i)
    {
        EXPECT_EQ(vertices[i].position, positions[i]) << i;
        EXPECT_EQ(vertices[i].texCoords, texCoords[i % 4]) << i;
    }

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(40, 20));
    target.clear(sf::Color::Black);
    target.draw(system);
    target.display();
    const sf::Image picture = target.getTexture().copyToImage();

    EXPECT_EQ(picture.getPixel(8, 9), sf::Color(200, 120, 40));
    EXPECT_EQ(picture.getPixel(11, 10), sf::Color(200, 120, 40));
    EXPECT_EQ(picture.getPixel(31, 5), sf::Color(200, 120, 40));
    EXPECT_EQ(picture.getPixel(12, 10), sf::Color::Black);
    EXPECT_EQ(picture.getPixel(10, 11), sf::Color::Black);
    EXPECT_EQ(picture.getPixel(20, 10), sf::Color::Black);
}
