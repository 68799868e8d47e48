#include "render/DrawList.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// A render target that needs no OpenGL: drawing a drawable only calls its draw, which records its name.
class RecordingTarget : public sf::RenderTarget
{
public:
    sf::Vector2u getSize() const override { return {300, 200}; }
    bool setActive(bool) override { return true; }
};

class NamedDrawable : public sf::Drawable
{
public:
    NamedDrawable(std::string drawableName, std::vector<std::string>& drawLog)
        : name(std::move(drawableName))
        , log(&drawLog)
    {
    }

private:
    void draw(sf::RenderTarget&, sf::RenderStates) const override { log->push_back(name); }

    std::string name;
    std::vector<std::string>* log;
};

struct DrawListFixture : ::testing::Test
{
    std::vector<std::string> log;
    std::vector<std::unique_ptr<NamedDrawable>> drawables;
    DrawList list;
    RecordingTarget target;

    const NamedDrawable& add(const std::string& name, int layer, bool visible = true)
    {
        drawables.push_back(std::make_unique<NamedDrawable>(name, log));
        list.add(*drawables.back(), layer, visible);
        return *drawables.back();
    }

    std::vector<std::string> drawOrder()
    {
        log.clear();
        list.draw(target);
        return log;
    }
};

} // namespace

TEST_F(DrawListFixture, DrawsBackToFrontByDescendingLayer)
{
    add("front", -1);
    add("back", 10);
    add("middle", 5);
    EXPECT_EQ(drawOrder(), (std::vector<std::string>{"back", "middle", "front"}));
}

TEST_F(DrawListFixture, EqualLayersKeepTheirOrderOfAdditionThroughManyAdditions)
{
    add("first", 1);
    add("second", 1);
    for (int i = 0; i < 50; ++i)
        add("other" + std::to_string(i), (i * 7) % 13 - 3);
    add("third", 1);

    std::vector<std::string> layerOne;
    for (const std::string& name : drawOrder())
        if (name == "first" || name == "second" || name == "third")
            layerOne.push_back(name);
    EXPECT_EQ(layerOne, (std::vector<std::string>{"first", "second", "third"}));

    const auto& entries = list.getEntries();
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_GE(entries[i - 1].layer, entries[i].layer);
}

TEST_F(DrawListFixture, RemovalKeepsTheOthersInOrder)
{
    add("a", 3);
    const NamedDrawable& b = add("b", 2);
    add("c", 2);
    add("d", 0);
    list.remove(&b);
    EXPECT_EQ(drawOrder(), (std::vector<std::string>{"a", "c", "d"}));

    const NamedDrawable stranger("stranger", log);
    list.remove(&stranger); // not in the list: nothing changes
    EXPECT_EQ(drawOrder(), (std::vector<std::string>{"a", "c", "d"}));
}

TEST_F(DrawListFixture, InvisibleEntriesAreSkippedButKeepTheirPlace)
{
    add("a", 2);
    const NamedDrawable& hidden = add("hidden", 1, false);
    add("c", 0);
    EXPECT_EQ(drawOrder(), (std::vector<std::string>{"a", "c"}));
    add("d", 1); // added later on the same layer: stays behind the hidden one's place
    list.setVisible(&hidden, true);
    EXPECT_EQ(drawOrder(), (std::vector<std::string>{"a", "hidden", "d", "c"}));
}

TEST_F(DrawListFixture, RemovingManyAtOnceKeepsTheOthersInOrderAndIgnoresStrangers)
{
    std::vector<const sf::Drawable*> leaving;
    std::vector<std::string> staying;
    for (int i = 0; i < 30; ++i)
    {
        const NamedDrawable& made = add("n" + std::to_string(i), i % 3);
        if (i % 4 == 1)
            leaving.push_back(&made);
    }
    for (const std::string& name : drawOrder())
        if (std::stoi(name.substr(1)) % 4 != 1)
            staying.push_back(name);
    const NamedDrawable stranger("stranger", log);
    leaving.push_back(&stranger);

    list.remove(leaving);
    EXPECT_EQ(drawOrder(), staying);
    list.remove(std::vector<const sf::Drawable*>{}); // nothing to remove: nothing changes
    EXPECT_EQ(drawOrder(), staying);
}
