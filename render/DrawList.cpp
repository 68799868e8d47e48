#include "render/DrawList.hpp"

#include <algorithm>

void DrawList::add(const sf::Drawable& drawable, int layer, bool visible)
{
    entries.push_back(DrawEntry{&drawable, visible, layer});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const DrawEntry& a, const DrawEntry& b) { return a.layer > b.layer; });
}

void DrawList::remove(const sf::Drawable* drawable)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const DrawEntry& entry) { return entry.drawable == drawable; });
    if (found != entries.end())
        entries.erase(found);
}

void DrawList::setVisible(const sf::Drawable* drawable, bool visible)
{
    for (DrawEntry& entry : entries)
        if (entry.drawable == drawable)
            entry.visible = visible;
}

void DrawList::clear()
{
    entries.clear();
}

void DrawList::draw(sf::RenderTarget& target) const
{
    for (const DrawEntry& entry : entries)
        if (entry.visible)
            target.draw(*entry.drawable, sf::RenderStates::Default);
}
