#pragma once

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstddef>
#include <vector>

// Triangles gathered in drawing order and drawn in as few calls as their textures and blend modes allow: one call
// per run of consecutive triangles that share both. Triangles that cannot change a pixel are left out: those wholly
// beyond one side of the visible area, those wholly transparent under alpha blending, and those with all three
// corners in one place. The buffers keep their memory from one frame to the next.
class VertexBatch
{
public:
    struct Run
    {
        const sf::Texture* texture; // null for none
        sf::BlendMode blendMode;
        std::size_t first; // index of its first vertex
        std::size_t count;
    };

    // The triangles added from here on are drawn with this texture (null for none) and blend mode: the same as the
    // last run's continue it, others start a new run.
    void use(const sf::Texture* texture, const sf::BlendMode& blendMode = sf::BlendAlpha);
    // Vertices in the target's coordinates, texture coordinates in the texture's pixels.
    void addTriangle(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c);
    // What the target shows, in its coordinates; everything until one is given.
    void setVisibleArea(const sf::FloatRect& area);

    // Draws every run in order, then empties the batch.
    void flush(sf::RenderTarget& target);
    void clear();

    const std::vector<sf::Vertex>& getVertices() const { return vertices; }
    // Only the last run can be empty: one that got no triangle before the next use goes.
    const std::vector<Run>& getRuns() const { return runs; }

private:
    bool showsNothing(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c) const;

    std::vector<sf::Vertex> vertices;
    std::vector<Run> runs;
    sf::FloatRect visibleArea;
    bool areaGiven = false;
};

// What the target shows through its current view, in the coordinates drawn in: the bounds of the view's rectangle.
sf::FloatRect viewedArea(const sf::RenderTarget& target);

// The sprite as sf::Sprite draws it: its quad's two triangles on its texture, tinted by its colour. A sprite
// without a texture draws nothing.
void appendSprite(VertexBatch& batch, const sf::Sprite& sprite);

// The shape as sf::Shape draws it: the fill's fan on the shape's texture (an untextured triangle as itself, which
// covers the same pixels), then the outline's strip untextured.
void appendShape(VertexBatch& batch, const sf::Shape& shape);
