#include "world/Baseballer.hpp"

#include "app/Settings.hpp"
#include "game/CommandBoard.hpp"
#include "kit/Random.hpp"
#include "render/VertexBatch.hpp"
#include "world/SoundCue.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

const sf::Color DoomedRed(255, 20, 20, 255);

// Farthest x the love circle can touch: the player wraps before its x passes the right edge, the circle opens to
// 45 pixels at most, and a corner counts while its distance cut to a whole number is within the radius.
constexpr float LoveReachRight = CANVAS_WIDTH + 45.f + 1.f;

// The corners of each wing, the same for every baseballer: the outer top, the tip where the two meet, the outer
// bottom. The love reads them from here rather than from the shapes, a call and a far read each.
using WingCorners = std::array<sf::Vector2f, 3>;
const WingCorners WingACorners{{{0.f, 0.f}, {1.f, 0.5f}, {0.f, 1.f}}};
const WingCorners WingBCorners{{{2.f, 0.f}, {1.f, 0.5f}, {2.f, 1.f}}};

sf::ConvexShape makeWing(const WingCorners& corners)
{
    sf::ConvexShape wing(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i)
        wing.setPoint(i, corners[i]);
    wing.setFillColor(sf::Color::Black);
    return wing;
}

sf::Uint8 toChannel(float value)
{
    return static_cast<sf::Uint8>(std::clamp(static_cast<int>(value), 0, 255));
}

// A wing's own transform without its rotation, read once for all its corners.
struct UnturnedWing
{
    explicit UnturnedWing(const sf::ConvexShape& wing)
        : origin(wing.getOrigin())
        , position(wing.getPosition())
        , scale(wing.getScale())
    {
    }

    // A corner in the world, as the wing's transform places it without the rotation.
    sf::Vector2f corner(sf::Vector2f point) const
    {
        const sf::Vector2f fromOrigin = point - origin;
        return position + sf::Vector2f(fromOrigin.x * scale.x, fromOrigin.y * scale.y);
    }

    sf::Vector2f origin;
    sf::Vector2f position;
    sf::Vector2f scale;
};

// The distance cut to a whole number is within the radius. Most corners are far from the circle: those more than
// one pixel beyond the cut are turned away on the squared distance, and only the rest take the root.
bool withinWhole(sf::Vector2f point, sf::Vector2f centre, int wholeRadius)
{
    const sf::Vector2f d = point - centre;
    const float squared = d.x * d.x + d.y * d.y;
    const auto beyond = static_cast<float>(wholeRadius + 2);
    if (squared > beyond * beyond)
        return false;
    return static_cast<int>(std::sqrt(squared)) <= wholeRadius;
}

} // namespace

Baseballer::Baseballer(int id)
    : wingA(makeWing(WingACorners))
    , wingB(makeWing(WingBCorners))
    , speedX(static_cast<float>(kit::random(40, 100)))
    , identity(id)
    , killCommand("killed " + std::to_string(id))
{
    setOrigin(1.f, 0.5f);
    setScale(15.f, 15.f);
}

void Baseballer::setMovesRight(bool right)
{
    movesRight = right;
    speedX = right ? std::abs(speedX) : -std::abs(speedX);
}

void Baseballer::update(float dt, CommandBoard& board, SoundCue& blow)
{
    for (sf::ConvexShape* wing : {&wingA, &wingB})
    {
        wing->setOrigin(getOrigin());
        wing->setScale(getScale());
        wing->setPosition(getPosition());
    }
    flap(dt);
    fly(dt);
    killStep(dt, board, blow);
}

void Baseballer::flap(float dt)
{
    const float step = dt * flapSpeed;
    if (!flapBack)
    {
        wingA.rotate(step);
        wingB.rotate(-step);
        flapAngle += step;
        if (flapAngle >= static_cast<float>(flapLimit))
        {
            flapBack = true;
            speedY = -static_cast<float>(kit::random(200, 400));
        }
    }
    else
    {
        wingA.rotate(-step);
        wingB.rotate(step);
        flapAngle -= step;
        if (flapAngle <= -static_cast<float>(flapLimit))
            flapBack = false;
    }
}

void Baseballer::fly(float dt)
{
    if (speedY < 0.f)
        speedY += 800.f * dt;
    move(dt * speedX, dt * speedY);
    move(0.f, dt * fallSpeed);
}

void Baseballer::killStep(float dt, CommandBoard& board, SoundCue& blow)
{
    if (health <= 0.f && !killPosted)
    {
        killPosted = true;
        board.post(killCommand, OnHalfSecond);
    }
    if (killPosted)
        setWingColor(DoomedRed);
    // Only its own post puts its kill on the board, so one not posted has nothing to look up.
    if (killPosted && board.take(killCommand))
    {
        speedX *= 2.f;
        dying = true;
        blow.play();
    }
    if (dying)
    {
        setScale(wingA.getScale() + sf::Vector2f(150.f * dt, 150.f * dt));
        fade = std::max(fade - 300.f * dt, 0.f);
        sf::Color color = wingA.getFillColor();
        color.a = toChannel(fade);
        setWingColor(color);
    }
}

void Baseballer::applyLove(float dt, bool bottomHalf, sf::Vector2f lovePosition, float loveRadius, float loveStrength)
{
    const float y = wingA.getPosition().y;
    const float top = bottomHalf ? CANVAS_HEIGHT / 2.f : 0.f;
    const float bottom = bottomHalf ? static_cast<float>(CANVAS_HEIGHT) : CANVAS_HEIGHT / 2.f;
    if (!(y > top && y < bottom))
        return;
    if (touchesCircle(lovePosition, loveRadius))
    {
        setWingColor(sf::Color(toChannel(loveStrength), 20, 20, 255));
        health -= dt * loveStrength;
    }
    else
    {
        setWingColor(sf::Color::Black);
    }
}

bool Baseballer::touchesCircle(sf::Vector2f centre, float radius) const
{
    const int wholeRadius = static_cast<int>(radius);
    const UnturnedWing a(wingA);
    const UnturnedWing b(wingB);
    for (std::size_t i = 0; i < WingACorners.size(); ++i)
    {
        if (withinWhole(a.corner(WingACorners[i]), centre, wholeRadius))
            return true;
        if (withinWhole(b.corner(WingBCorners[i]), centre, wholeRadius))
            return true;
    }
    return false;
}

bool Baseballer::isOutOfPlay() const
{
    if (getPosition().x < -getScale().x - 5.f)
        return true;
    // Fully transparent, its blow already heard: nothing of it can be seen or heard again.
    if (dying && fade <= 0.f)
        return true;
    // Measured on the wings, which are both what is drawn and what the love touches; they are never ahead of the
    // body. The love's reach lies further out than a flapping wing can swing back (a corner turns about the tip at
    // most 1.12 s away), so it is out of sight too. A doomed one stays: its blow is still to be heard, and once
    // dying it swells back towards the picture (its left end can move left) until its fade has run out.
    return movesRight && !killPosted && wingA.getPosition().x - wingA.getScale().x > LoveReachRight;
}

void Baseballer::setWingColor(sf::Color color)
{
    // A shape recolours all its vertices on every call, and most frames give the colour it already has.
    if (color == wingColor)
        return;
    wingColor = color;
    wingA.setFillColor(color);
    wingB.setFillColor(color);
}

void Baseballer::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    target.draw(wingA, states);
    target.draw(wingB, states);
}

void Baseballer::appendTo(VertexBatch& batch) const
{
    appendShape(batch, wingA);
    appendShape(batch, wingB);
}
