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
    for (const auto& baseballer : baseballers)
        drawList.remove(baseballer.get());
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
    for (auto it = baseballers.begin(); it != baseballers.end();)
    {
        Baseballer& baseballer = **it;
        if (baseballer.isOutOfPlay())
        {
            drawList.remove(&baseballer);
            board.remove(baseballer.getKillCommand());
            it = baseballers.erase(it);
            continue;
        }
        baseballer.applyLove(dt, bottomHalf, lovePosition, loveRadius, loveStrength);
        ++it;
    }
}

void Flock::update(float dt, CommandBoard& board, SoundCue& blow)
{
    for (const auto& baseballer : baseballers)
        baseballer->update(dt, board, blow);
}
