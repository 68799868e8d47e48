#pragma once

#include "world/Baseballer.hpp"

#include <SFML/System/Vector2.hpp>

#include <memory>
#include <vector>

class CommandBoard;
class DrawList;
class SoundCue;

// The baseballers of one game, in the order they were made, and the world's steps over them in a frame.
// Each is in the draw list for exactly as long as it is in the flock.
class Flock
{
public:
    // The draw list must outlive the flock.
    explicit Flock(DrawList& drawList);
    ~Flock();
    Flock(const Flock&) = delete;
    Flock& operator=(const Flock&) = delete;

    // Makes one baseballer entering the player's half from the left or right edge.
    Baseballer& spawn(bool bottomHalf);

    // The one pass over the list: drops those out of play (taking any kill command they leave on the board with
    // them) and lets the love act on each one kept.
    void pass(float dt, bool bottomHalf, sf::Vector2f lovePosition, float loveRadius, float loveStrength,
              CommandBoard& board);

    // Every baseballer's update, in list order.
    void update(float dt, CommandBoard& board, SoundCue& blow);

    const std::vector<std::unique_ptr<Baseballer>>& getBaseballers() const { return baseballers; }

private:
    DrawList& drawList;
    std::vector<std::unique_ptr<Baseballer>> baseballers;
    // Identities are counted, never reused in a run: an address can come back for a new baseballer while the
    // kill command of the old one is still on the board.
    int nextIdentity = 1;
};
