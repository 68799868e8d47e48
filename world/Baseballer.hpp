#pragma once

#include "render/Batchable.hpp"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Transformable.hpp>

#include <cstdint>
#include <string>

class CommandBoard;
class SoundCue;

// A black figure of two triangles joined tip to tip that flaps across the world, hopping at every wing stroke.
// Its own transform is its place in the world; the wings copy it at the start of each update and keep their own
// rotation, the flap. So what is drawn and what the love touches is where it stood before its latest move.
class Baseballer : public sf::Drawable, public sf::Transformable, public Batchable
{
public:
    // The identity names its kill command; the world never gives one number to two baseballers in a run.
    explicit Baseballer(int identity);
    ~Baseballer() override = default;

    // Flies to the right when true, to the left when false; the speed keeps its size.
    void setMovesRight(bool right);

    // Copies its place to the wings, flaps, flies, then acts on its kill (posts it once, takes it, blows up, fades).
    void update(float dt, CommandBoard& board, SoundCue& blow);

    // The love circle's act on a baseballer in the player's half: tint and wear down when touched, black otherwise.
    void applyLove(float dt, bool bottomHalf, sf::Vector2f lovePosition, float loveRadius, float loveStrength);

    // Whether a corner of either wing lies within the radius of the centre, distances cut to whole pixels.
    bool touchesCircle(sf::Vector2f centre, float radius) const;

    // Gone for good: beyond the left edge, beyond the right edge and out of the love's reach with no kill posted,
    // or blown up and faded out. The world drops it.
    bool isOutOfPlay() const;

    // Both wings, as draw draws them.
    void appendTo(VertexBatch& batch) const override;

    int getIdentity() const { return identity; }
    const std::string& getKillCommand() const { return killCommand; }
    const sf::ConvexShape& getWingA() const { return wingA; }
    const sf::ConvexShape& getWingB() const { return wingB; }
    float getFlapAngle() const { return flapAngle; }
    bool isFlappingBack() const { return flapBack; }
    bool isMovingRight() const { return movesRight; }
    float getSpeedX() const { return speedX; }
    float getSpeedY() const { return speedY; }
    float getHealth() const { return health; }
    bool isKillPosted() const { return killPosted; }
    bool isDying() const { return dying; }
    float getFade() const { return fade; }

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void setWingColor(sf::Color color);
    void flap(float dt);
    void fly(float dt);
    void killStep(float dt, CommandBoard& board, SoundCue& blow);

    sf::ConvexShape wingA;
    sf::ConvexShape wingB;
    sf::Color wingColor = sf::Color::Black; // what both wings are filled with
    float flapSpeed = 250.f;
    std::int32_t flapLimit = 25;
    float flapAngle = 0.f;
    bool flapBack = false;
    bool movesRight = true;
    float speedX;
    float speedY = 0.f;
    float fallSpeed = 100.f;
    float health = 50.f;
    bool killPosted = false;
    bool dying = false;
    float fade = 255.f;
    int identity;
    std::string killCommand;
};
