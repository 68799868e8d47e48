#include "render/DrawList.hpp"

#include <algorithm>
#include <functional>

void DrawList::add(const sf::Drawable& drawable, int layer, bool visible)
{
    // The list is always in order, so the new entry goes after every entry of its layer or a larger one: the
    // place a stable sort would give it, found without sorting a list that grows with every baseballer.
    const auto place = std::partition_point(entries.begin(), entries.end(),
                                            [layer](const DrawEntry& entry) { return entry.layer >= layer; });
    entries.insert(place, DrawEntry{&drawable, visible, layer, dynamic_cast<const Batchable*>(&drawable)});
}

void DrawList::remove(const sf::Drawable* drawable)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const DrawEntry& entry) { return entry.drawable == drawable; });
    if (found != entries.end())
        entries.erase(found);
}

void DrawList::remove(std::vector<const sf::Drawable*> drawables)
{
    if (drawables.empty())
        return;
    // One pass over the list for all of them, rather than one search each.
    const std::less<> before;
    std::sort(drawables.begin(), drawables.end(), before);
    entries.erase(
        std::remove_if(entries.begin(), entries.end(),
                       [&](const DrawEntry& entry)
                       { return std::binary_search(drawables.begin(), drawables.end(), entry.drawable, before); }),
        entries.end());
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
    batch.setVisibleArea(viewedArea(target));
    for (const DrawEntry& entry : entries)
    {
        if (!entry.visible)
            continue;
        if (entry.batchable != nullptr)
        {
            entry.batchable->appendTo(batch);
            continue;
        }
        // What was gathered lies behind this entry.
        batch.flush(target);
        target.draw(*entry.drawable, sf::RenderStates::Default);
    }
    batch.flush(target);
}
