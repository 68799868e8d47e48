#include "world/Player.hpp"

#include "app/Settings.hpp"
#include "kit/Random.hpp"
#include "render/VertexBatch.hpp"
#include "world/SoundCue.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cmath>

namespace
{

const sf::Color LoveFlash(255, 255, 255, 100);
const sf::Color LoveRim(0, 0, 0, 80);

// Below this many pixels per second, either way, a dash has run out.
constexpr float RestSpeed = 5.f;
// The circle's radius and the love's strength both change by this much per second.
constexpr float LoveRate = 200.f;
constexpr float FullLoveStrength = 255.f;
// The sprite shrinks or swells by this much of its size per second, between half and full size.
constexpr float ScaleRate = 5.f;
// Spin in degrees per second for each pixel per second of velocity.
constexpr float SpinRate = 2.f;

float towardZero(float component, float amount)
{
    if (component < 0.f)
        component = std::min(component + amount, 0.f);
    if (component > 0.f)
        component = std::max(component - amount, 0.f);
    return component;
}

float restIfSlow(float component)
{
    return (-RestSpeed < component && component < RestSpeed) ? 0.f : component;
}

} // namespace

Player::Player(const sf::Texture& texture, const std::string& animationFile)
    : SpriteEntity(texture, animationFile)
{
    loveCircle.setFillColor(LoveFlash);
}

void Player::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    // Through a plain copy: sf::Sprite's own draw is private, and drawing *this would come back here.
    const sf::Sprite plain(*this);
    target.draw(plain, states);
    target.draw(loveCircle, states);
}

void Player::appendTo(VertexBatch& batch) const
{
    appendSprite(batch, *this);
    appendShape(batch, loveCircle);
}

void Player::update(float dt, CommandBoard& board, SoundCue& dash, SoundCue& zoop)
{
    takeMoves(board, dash);
    runDown(dt);
    // The stored velocity keeps its fraction; the sprite moves by whole pixels per second.
    move(dt * std::trunc(velocity.x), dt * std::trunc(velocity.y));
    wrapAround();
    crouchOrSwell(dt);
    rotate(SpinRate * (velocity.x + velocity.y) * dt);
    tremble(board);
    loveOrUnlove(board, zoop);
    shapeLoveCircle(dt, board);
}

void Player::takeMoves(CommandBoard& board, SoundCue& dash)
{
    const auto s = static_cast<float>(speed);
    // All ready moves are taken; the last one taken decides: right over left over down over up.
    const struct
    {
        const char* name;
        sf::Vector2f velocity;
    } moves[] = {
        {"move up", {0.f, -s}},
        {"move down", {0.f, s}},
        {"move left", {-s, 0.f}},
        {"move right", {s, 0.f}},
    };
    for (const auto& command : moves)
    {
        if (!board.take(command.name))
            continue;
        velocity = command.velocity;
        dash.play();
        setColor(sf::Color::White);
    }
}

void Player::runDown(float dt)
{
    const float amount = dt * static_cast<float>(deceleration);
    velocity.y = towardZero(velocity.y, amount);
    velocity.x = towardZero(velocity.x, amount);
    velocity.x = restIfSlow(velocity.x);
    velocity.y = restIfSlow(velocity.y);
}

void Player::wrapAround()
{
    const sf::FloatRect bounds = getLocalBounds();
    sf::Vector2f position = getPosition();
    if (position.x > CANVAS_WIDTH)
        position.x = -bounds.width;
    if (position.x + bounds.width < 0.f)
        position.x = CANVAS_WIDTH;
    if (position.y > CANVAS_HEIGHT)
        position.y = -bounds.height;
    if (position.y + bounds.height < 0.f)
        position.y = CANVAS_HEIGHT;
    setPosition(position);
}

void Player::crouchOrSwell(float dt)
{
    // Tinted means a move waits for the beat: crouch to half size; white means dashing: swell back to full size.
    const sf::Vector2f scale = getScale();
    const float change = ScaleRate * dt;
    if (getColor() != sf::Color::White)
    {
        setScale(scale.x - change, scale.y - change);
        if (getScale().x < 0.5f)
            setScale(0.5f, 0.5f);
    }
    else
    {
        setScale(scale.x + change, scale.y + change);
        if (getScale().x > 1.f)
            setScale(1.f, 1.f);
    }
}

void Player::tremble(const CommandBoard& board)
{
    const sf::IntRect rect = getTextureRect();
    const int halfW = rect.width / 2;
    const int halfH = rect.height / 2;
    if (board.has("love"))
    {
        // Shakes by up to a pixel while a love waits for its beat.
        const int y = kit::random(halfH - 1, halfH + 1);
        const int x = kit::random(halfW - 1, halfW + 1);
        setOrigin(static_cast<float>(x), static_cast<float>(y));
    }
    else
    {
        setOrigin(static_cast<float>(halfW), static_cast<float>(halfH));
    }
}

void Player::loveOrUnlove(CommandBoard& board, SoundCue& zoop)
{
    const float radius = loveCircle.getRadius();
    if (board.isReady("love"))
    {
        // A love starts only once the circle has closed completely; until then it waits for another beat.
        if (radius > 0.f)
        {
            board.unready("love");
            return;
        }
        loving = true;
        zoop.play();
        board.remove("love");
        loveStrength = FullLoveStrength;
        return;
    }
    if (board.isReady("unlove") && loving)
    {
        // The circle closes only once it is fully open.
        if (radius < static_cast<float>(loveMaxRadius))
        {
            board.unready("unlove");
            return;
        }
        loving = false;
        // With a love on the board the unlove stays to close the circle that love will open.
        if (!board.has("love"))
            board.remove("unlove");
    }
}

void Player::shapeLoveCircle(float dt, CommandBoard& board)
{
    const float step = LoveRate * dt;
    const float radius = loveCircle.getRadius();
    if (loving)
    {
        loveCircle.setRadius(std::min(radius + step, static_cast<float>(loveMaxRadius)));
    }
    else
    {
        loveCircle.setRadius(std::max(radius - step, 0.f));
        // An unlove with no love open or waiting has nothing to close.
        if (!board.has("love"))
            board.remove("unlove");
    }

    loveStrength = std::max(loveStrength - step, 0.f);
    loveCircle.setFillColor(sf::Color(255, 255, 255, static_cast<sf::Uint8>(std::min(loveStrength, FullLoveStrength))));
    loveCircle.setOutlineColor(LoveRim);
    const float thickness = loveStrength / 180.f + 1.f;
    loveCircle.setOutlineThickness(thickness);
    loveCircle.setPosition(getPosition());
    const sf::FloatRect bounds = loveCircle.getLocalBounds();
    loveCircle.setOrigin(bounds.width / 2.f - thickness, bounds.height / 2.f - thickness);
}
