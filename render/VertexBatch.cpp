#include "render/VertexBatch.hpp"

#include <SFML/Graphics/RenderStates.hpp>

#include <algorithm>
#include <cmath>

void VertexBatch::use(const sf::Texture* texture, const sf::BlendMode& blendMode)
{
    // A run that got no triangle goes, so a piece that draws nothing splits nothing.
    if (!runs.empty() && runs.back().count == 0)
        runs.pop_back();
    if (!runs.empty() && runs.back().texture == texture && runs.back().blendMode == blendMode)
        return;
    runs.push_back(Run{texture, blendMode, vertices.size(), 0});
}

void VertexBatch::addTriangle(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c)
{
    if (runs.empty())
        use(nullptr);
    if (showsNothing(a, b, c))
        return;
    vertices.push_back(a);
    vertices.push_back(b);
    vertices.push_back(c);
    runs.back().count += 3;
}

void VertexBatch::setVisibleArea(const sf::FloatRect& area)
{
    visibleArea = area;
    areaGiven = true;
}

bool VertexBatch::showsNothing(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c) const
{
    // Alpha blending leaves the target as it was where the source's alpha is 0, whatever the colour or texture.
    if (a.color.a == 0 && b.color.a == 0 && c.color.a == 0 && runs.back().blendMode == sf::BlendAlpha)
        return true;
    // All three corners in one place, as in a closed circle's fill and outline: no pixel at all.
    if (a.position == b.position && b.position == c.position)
        return true;
    if (!areaGiven)
        return false;
    // A triangle lies within its corners' bounds: with all three beyond one side, it covers no pixel's centre.
    const float right = visibleArea.left + visibleArea.width;
    const float bottom = visibleArea.top + visibleArea.height;
    return (a.position.x < visibleArea.left && b.position.x < visibleArea.left && c.position.x < visibleArea.left) ||
           (a.position.x > right && b.position.x > right && c.position.x > right) ||
           (a.position.y < visibleArea.top && b.position.y < visibleArea.top && c.position.y < visibleArea.top) ||
           (a.position.y > bottom && b.position.y > bottom && c.position.y > bottom);
}

void VertexBatch::flush(sf::RenderTarget& target)
{
    for (const Run& run : runs)
        if (run.count > 0)
            target.draw(&vertices[run.first], run.count, sf::Triangles,
                        sf::RenderStates(run.blendMode, sf::Transform::Identity, run.texture, nullptr));
    clear();
}

void VertexBatch::clear()
{
    vertices.clear();
    runs.clear();
}

namespace
{

// SFML's outline corner: the edge's unit normal, or none for an edge of no length.
sf::Vector2f edgeNormal(sf::Vector2f from, sf::Vector2f to)
{
    sf::Vector2f normal(from.y - to.y, to.x - from.x);
    const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y);
    if (length != 0.f)
        normal /= length;
    return normal;
}

float dot(sf::Vector2f a, sf::Vector2f b)
{
    return a.x * b.x + a.y * b.y;
}

// The outline's strip as separate triangles, untextured. It runs through each corner and its twin pushed out along
// the mean of the corner's two edge normals, away from the fill's centre, and back to the first pair.
void appendOutline(VertexBatch& batch, const sf::Shape& shape, sf::Vector2f centre)
{
    const float thickness = shape.getOutlineThickness();
    if (thickness == 0.f)
        return;
    const std::size_t count = shape.getPointCount();
    const auto point = [&](std::size_t i) { return shape.getPoint(i % count); };
    const sf::Transform& transform = shape.getTransform();
    const sf::Color rim = shape.getOutlineColor();
    struct Pair
    {
        sf::Vertex inner;
        sf::Vertex outer;
    };
    const auto pairAt = [&](std::size_t i)
    {
        const sf::Vector2f p0 = point(i + count - 1);
        const sf::Vector2f p1 = point(i);
        const sf::Vector2f p2 = point(i + 1);
        sf::Vector2f n1 = edgeNormal(p0, p1);
        sf::Vector2f n2 = edgeNormal(p1, p2);
        if (dot(n1, centre - p1) > 0)
            n1 = -n1;
        if (dot(n2, centre - p1) > 0)
            n2 = -n2;
        const float factor = 1.f + dot(n1, n2);
        const sf::Vector2f normal = (n1 + n2) / factor;
        return Pair{sf::Vertex(transform.transformPoint(p1), rim),
                    sf::Vertex(transform.transformPoint(p1 + normal * thickness), rim)};
    };
    batch.use(nullptr);
    const Pair firstPair = pairAt(0);
    Pair last = firstPair;
    for (std::size_t i = 1; i <= count; ++i)
    {
        const Pair pair = i == count ? firstPair : pairAt(i);
        // The strip's two triangles between these pairs, their corners in the strip's order.
        batch.addTriangle(last.inner, last.outer, pair.inner);
        batch.addTriangle(pair.inner, last.outer, pair.outer);
        last = pair;
    }
}

} // namespace

void appendSprite(VertexBatch& batch, const sf::Sprite& sprite)
{
    const sf::Texture* texture = sprite.getTexture();
    if (texture == nullptr)
        return;
    const sf::FloatRect bounds = sprite.getLocalBounds();
    const sf::IntRect rect = sprite.getTextureRect();
    const auto left = static_cast<float>(rect.left);
    const auto top = static_cast<float>(rect.top);
    const float right = left + static_cast<float>(rect.width);
    const float bottom = top + static_cast<float>(rect.height);
    const sf::Transform& transform = sprite.getTransform();
    const sf::Color color = sprite.getColor();
    // The corners in sf::Sprite's strip order; SFML moves a quad's corners on the processor too, so these are the
    // very positions its own draw gives the driver.
    const sf::Vertex quad[4] = {
        {transform.transformPoint(0.f, 0.f), color, {left, top}},
        {transform.transformPoint(0.f, bounds.height), color, {left, bottom}},
        {transform.transformPoint(bounds.width, 0.f), color, {right, top}},
        {transform.transformPoint(bounds.width, bounds.height), color, {right, bottom}},
    };
    batch.use(texture);
    // The strip's two triangles, their corners in the strip's order.
    batch.addTriangle(quad[0], quad[1], quad[2]);
    batch.addTriangle(quad[2], quad[1], quad[3]);
}

void appendShape(VertexBatch& batch, const sf::Shape& shape)
{
    const std::size_t count = shape.getPointCount();
    if (count < 3)
        return;
    const auto point = [&](std::size_t i) { return shape.getPoint(i % count); };

    // Built as sf::Shape builds its own: the fan's centre is the middle of the points' bounds.
    sf::Vector2f low = point(0);
    sf::Vector2f high = low;
    for (std::size_t i = 1; i < count; ++i)
    {
        const sf::Vector2f p = point(i);
        low = sf::Vector2f(std::min(low.x, p.x), std::min(low.y, p.y));
        high = sf::Vector2f(std::max(high.x, p.x), std::max(high.y, p.y));
    }
    const sf::FloatRect inside(low, high - low);
    const sf::Vector2f centre(inside.left + inside.width / 2, inside.top + inside.height / 2);

    const sf::Transform& transform = shape.getTransform();
    const sf::Texture* texture = shape.getTexture();
    const sf::IntRect rect = shape.getTextureRect();
    const sf::Color fill = shape.getFillColor();
    const auto fanVertex = [&](sf::Vector2f p)
    {
        sf::Vector2f texCoords;
        if (texture != nullptr)
        {
            const float xRatio = inside.width > 0 ? (p.x - inside.left) / inside.width : 0;
            const float yRatio = inside.height > 0 ? (p.y - inside.top) / inside.height : 0;
            texCoords.x = static_cast<float>(rect.left) + static_cast<float>(rect.width) * xRatio;
            texCoords.y = static_cast<float>(rect.top) + static_cast<float>(rect.height) * yRatio;
        }
        return sf::Vertex(transform.transformPoint(p), fill, texCoords);
    };
    batch.use(texture);
    if (count == 3 && texture == nullptr)
    {
        // The fan of a triangle about its centre covers the triangle itself, pixel for pixel; in one colour the
        // triangle alone draws the same picture with a third of the vertices.
        batch.addTriangle(fanVertex(point(0)), fanVertex(point(1)), fanVertex(point(2)));
    }
    else
    {
        const sf::Vertex hub = fanVertex(centre);
        const sf::Vertex first = fanVertex(point(0));
        sf::Vertex previous = first;
        for (std::size_t i = 1; i <= count; ++i)
        {
            const sf::Vertex next = i == count ? first : fanVertex(point(i));
            batch.addTriangle(hub, previous, next);
            previous = next;
        }
    }
    appendOutline(batch, shape, centre);
}

sf::FloatRect viewedArea(const sf::RenderTarget& target)
{
    // The view maps what it shows onto the square from -1 to 1; its inverse gives that back, as bounds.
    return target.getView().getInverseTransform().transformRect(sf::FloatRect(-1.f, -1.f, 2.f, 2.f));
}
