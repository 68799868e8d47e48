#pragma once

#include "game/CommandBoard.hpp"
#include "sprites/SpriteEntity.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>

class SoundCue;

// The character at the keyboard: dashes on move commands, wraps around the world and opens its love circle on the
// beat. The circle is drawn over the sprite where its own position puts it, untouched by the player's transform.
class Player : public SpriteEntity
{
public:
    Player(const sf::Texture& texture, const std::string& animationFile);
    ~Player() override = default;

    // One frame: takes the ready move, love and unlove commands, runs the dash down, wraps, shrinks or swells,
    // spins, trembles while a love waits, and opens or closes the love circle.
    void update(float dt, CommandBoard& board, SoundCue& dash, SoundCue& zoop);

    int speed = 350;
    int deceleration = 800;
    sf::Vector2f velocity;
    int commandValue = OnHalfSecond;
    int loveMaxRadius = 45;
    sf::CircleShape loveCircle{0.f, 30};
    bool loving = false;
    float loveStrength = 0.f;

    // The sprite, then the love circle over it, as draw draws them.
    void appendTo(VertexBatch& batch) const override;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    void takeMoves(CommandBoard& board, SoundCue& dash);
    void runDown(float dt);
    void wrapAround();
    void crouchOrSwell(float dt);
    void tremble(const CommandBoard& board);
    void loveOrUnlove(CommandBoard& board, SoundCue& zoop);
    void shapeLoveCircle(float dt, CommandBoard& board);
};
