#pragma once

#include "render/DrawEntry.hpp"
#include "render/VertexBatch.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <vector>

// A screen's drawables in back-to-front order: descending layer, and in order of addition within a layer.
// The list owns none of them; whoever removes a drawable from the world removes it from here first.
// Consecutive visible entries that are Batchable share their draw calls: one per run of the same texture and blend
// mode, in list order, so the picture is the one drawn entry by entry.
class DrawList
{
public:
    void add(const sf::Drawable& drawable, int layer, bool visible = true);
    void remove(const sf::Drawable* drawable);
    // Removes every one of the drawables at once; the others keep their order.
    void remove(std::vector<const sf::Drawable*> drawables);
    void setVisible(const sf::Drawable* drawable, bool visible);
    void clear();
    void draw(sf::RenderTarget& target) const;

    const std::vector<DrawEntry>& getEntries() const { return entries; }

private:
    std::vector<DrawEntry> entries;
    // Working memory of draw, kept from frame to frame so that steady play allocates nothing; it holds no state
    // between calls.
    mutable VertexBatch batch;
};
