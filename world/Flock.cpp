#include "world/Flock.hpp"

#include "app/Settings.hpp"
#include "game/CommandBoard.hpp"
#include "kit/Random.hpp"
#include "render/DrawList.hpp"

namespace
{
constexpr int BaseballerLayer = 1;
}

Flock::Flock(DrawList& list)
    : drawList(list)
{
}

Flock::~Flock()
{
    std::vector<const sf::Drawable*> drawn;
    for (const auto& baseballer : baseballers)
        drawn.push_back(baseballer.get());
    drawList.remove(std::move(drawn));
}

Baseballer& Flock::spawn(bool bottomHalf)
{
    auto baseballer = std::make_unique<Baseballer>(nextIdentity++);
    const auto s = static_cast<float>(kit::random(8, 30));
    baseballer->setScale(s, s);
    baseballer->setMovesRight(kit::random(0, 1) != 0);
    const auto y = static_cast<float>(bottomHalf ? kit::random(100, 230) : kit::random(0, 130));
    const float x = baseballer->isMovingRight() ? -s : CANVAS_WIDTH + s;
    baseballer->setPosition(x, y);

    baseballers.push_back(std::move(baseballer));
    Baseballer& made = *baseballers.back();
    drawList.add(made, BaseballerLayer);
    return made;
}

void Flock::pass(float dt, bool bottomHalf, sf::Vector2f lovePosition, float loveRadius, float loveStrength,
                 CommandBoard& board)
{
    // The kept ones close up in place and those out of play are set aside, so a pass costs one walk over the
    // list however many leave. They go from the draw list before they are destroyed.
    std::vector<std::unique_ptr<Baseballer>> leaving;
    auto kept = baseballers.begin();
    for (auto& slot : baseballers)
    {
        Baseballer& baseballer = *slot;
        if (baseballer.isOutOfPlay())
        {
            if (baseballer.isKillPosted())
                board.remove(baseballer.getKillCommand());
            leaving.push_back(std::move(slot));
            continue;
        }
        baseballer.applyLove(dt, bottomHalf, lovePosition, loveRadius, loveStrength);
        if (&*kept != &slot)
            *kept = std::move(slot);
        ++kept;
    }
    if (leaving.empty())
        return;
    baseballers.erase(kept, baseballers.end());
    std::vector<const sf::Drawable*> gone;
    gone.reserve(leaving.size());
    for (const auto& baseballer : leaving)
        gone.push_back(baseballer.get());
    drawList.remove(std::move(gone));
}

void Flock::update(float dt, CommandBoard& board, SoundCue& blow)
{
    for (const auto& baseballer : baseballers)
        baseballer->update(dt, board, blow);
}
