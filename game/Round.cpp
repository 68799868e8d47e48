#include "game/Round.hpp"

#include "app/Settings.hpp"
#include "input/Bindings.hpp"
#include "kit/Random.hpp"
#include "render/BatchableShape.hpp"

#include <SFML/Graphics/CircleShape.hpp>

#include <string>
#include <utility>

namespace
{
const sf::Time SpawnInterval = sf::seconds(0.25f);
constexpr float ScrollSpeed = 10.f;
constexpr unsigned TextSize = 16;
const sf::Color MoveTint(255, 100, 100, 255);

// The half line of the world: exactly 100 still counts as the top half.
constexpr float HalfLine = static_cast<float>(CANVAS_HEIGHT) / 2.f;

// Draw layers, back to front.
constexpr int BackgroundLayer = 10;
constexpr int SelectorLayer = 8;
constexpr int DustLayer = 6;
constexpr int PlayerLayer = 5;
constexpr int HudLayer = 1;
constexpr int CardLayer = 0;
constexpr int TitleLayer = -1;
} // namespace

bool drawBottomStart()
{
    return kit::random(0, 1) == 1;
}

void prepareRoundDrawing(sf::RenderTarget& target)
{
    Baseballer baseballer(0);
    baseballer.setPosition(static_cast<float>(CANVAS_WIDTH) / 2.f, HalfLine);
    BatchableShape<sf::CircleShape> love(45.f, 30);
    love.setFillColor(sf::Color(255, 255, 255, 200));
    love.setOutlineColor(sf::Color(0, 0, 0, 80));
    love.setOutlineThickness(2.f);
    love.setPosition(static_cast<float>(CANVAS_WIDTH) / 2.f, HalfLine);
    // Through a draw list, as the game draws them: batched.
    DrawList list;
    list.add(baseballer, 0);
    list.add(love, 0);
    list.draw(target);
}

Round::Round(const RoundMedia& media, const RoundSounds& roundSounds, DrawList& drawList, kit::ActionMap& actionMap,
             kit::TimeSource now, const RoundOptions& options)
    : sounds(roundSounds)
    , actions(&actionMap)
    , beatClock(sounds.base, now, options.audioOffset)
    , board(beatClock)
    , bottomStart(drawBottomStart())
    , mixer(sounds.top, sounds.bottom, bottomStart)
    , spawnTimer(std::move(now))
    , backgroundA(media.background, "")
    , backgroundB(media.background, "")
    , endingCard(media.font)
    , regionSelector(media.regionSelector, "")
    , player(media.player, "")
    , timeIcon(media.time, "")
    , countdown(countdownText(sf::Time::Zero), media.font, TextSize)
    , flock(drawList)
    , dust(media.dust)
{
    bindCloseAction(*actions, options.controls);
    bindMainActions(*actions, options.controls);
    spawnTimer.restart(SpawnInterval);

    backgroundB.setPosition(static_cast<float>(CANVAS_WIDTH), 0.f);
    drawList.add(backgroundA, BackgroundLayer);
    drawList.add(backgroundB, BackgroundLayer);
    drawList.add(endingCard.getCard(), CardLayer);
    drawList.add(endingCard.getTitle(), TitleLayer);
    drawList.add(regionSelector, SelectorLayer);

    // The player turns about its middle, rounded down to a whole pixel.
    const sf::IntRect frame = player.getTextureRect();
    const int originX = frame.width / 2;
    const int originY = frame.height / 2;
    player.setOrigin(static_cast<float>(originX), static_cast<float>(originY));
    const float startY = bottomStart ? 150.f : 50.f;
    const float startX = kit::random(0, 1) == 1 ? 50.f : 250.f;
    player.setPosition(startX, startY);
    drawList.add(player, PlayerLayer);

    timeIcon.setPosition(8.f, 8.f);
    drawList.add(timeIcon, HudLayer);
    // The countdown comes to every digit in turn: their glyphs are made now, not in the frame that first shows one.
    for (const char digit : std::string("0123456789"))
        media.font.getGlyph(static_cast<sf::Uint32>(digit), TextSize, false);
    countdown.setFillColor(sf::Color::White);
    countdown.setPosition(28.f, 5.f);
    drawList.add(countdown, HudLayer);

    drawList.add(dust.getDrawable(), DustLayer);
}

Round::Outcome Round::frame(sf::Time frameTime, const std::function<void()>& pollEvents)
{
    const float dt = frameTime.asSeconds();

    // Input to commands; "close" posted in an earlier frame ends the game once the beat has released it.
    if (actions->isActive("close"))
        board.post("close", OnHalfSecond);
    if (board.take("close"))
        return Outcome::Closed;
    postCommands();

    // The player's half chooses the selector's place and the loud stem.
    bottomHalf = player.getPosition().y > HalfLine;
    regionSelector.setPosition(0.f, bottomHalf ? HalfLine : 0.f);
    mixer.fadeTowards(bottomHalf);
    if (sounds.base.getStatus() == sf::SoundSource::Stopped)
        return Outcome::MusicEnded;

    // The world around the player.
    scrollBackground(dt);
    endingCard.update(sounds.base);
    countdown.setString(countdownText(sounds.base.getPlayingOffset()));
    if (spawnTimer.isExpired())
    {
        flock.spawn(bottomHalf);
        spawnTimer.restart(SpawnInterval);
    }
    flock.pass(dt, bottomHalf, player.getPosition(), player.loveCircle.getRadius(), player.loveStrength, board);
    dust.aim(player.getPosition(), player.velocity);

    // Input for the next frame, and the beat that releases the waiting commands.
    pollEvents();
    beatClock.update();
    board.release();

    // Everything that acts on released commands.
    player.update(dt, board, sounds.dash, sounds.zoop);
    dust.update(frameTime);
    flock.update(dt, board, sounds.blow);
    return Outcome::Playing;
}

void Round::postCommands()
{
    const int code = player.commandValue;
    if (actions->isActive("up key"))
        board.post("move up", code);
    if (actions->isActive("down key"))
        board.post("move down", code);
    if (actions->isActive("left key"))
        board.post("move left", code);
    if (actions->isActive("right key"))
        board.post("move right", code);
    // The tint shows a move that waits for the beat; the player's update turns it white when it dashes.
    if (actions->isActive("move key"))
        player.setColor(MoveTint);
    if (actions->isActive("love"))
        board.post("love", code);
    if (actions->isActive("unlove"))
        board.post("unlove", OnHalfSecond);
}

void Round::scrollBackground(float dt)
{
    backgroundA.move(-ScrollSpeed * dt, 0.f);
    backgroundB.move(-ScrollSpeed * dt, 0.f);
    for (SpriteEntity* background : {&backgroundA, &backgroundB})
        if (background->getPosition().x < -static_cast<float>(CANVAS_WIDTH))
            background->setPosition(static_cast<float>(CANVAS_WIDTH), 0.f);
}
