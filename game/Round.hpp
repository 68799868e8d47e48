#pragma once

#include "game/BeatClock.hpp"
#include "game/CommandBoard.hpp"
#include "game/EndingCard.hpp"
#include "game/RoundMedia.hpp"
#include "game/RoundOptions.hpp"
#include "game/RoundSounds.hpp"
#include "game/StemMixer.hpp"
#include "kit/ActionMap.hpp"
#include "kit/Timer.hpp"
#include "render/DrawList.hpp"
#include "sprites/SpriteEntity.hpp"
#include "world/DustTrail.hpp"
#include "world/Flock.hpp"
#include "world/Player.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <functional>

// One game, from its first frame to the end of its music. Everything in a frame is driven from outside:
// the frame time, the stems (through MusicTrack) and the input (through the action map and a poll callback),
// so a test can play a whole game with scripted values and no window, audio device or real waiting.
class Round
{
public:
    enum class Outcome
    {
        Playing,
        Closed,     // the "close" command was taken
        MusicEnded, // the base stem has stopped
    };

    // Sets the game up and puts its drawables in the draw list. The timers (the spawn timer, the beat pulse)
    // read `now`; the stems must already be playing. The actions are bound to the options' controls.
    Round(const RoundMedia& media, const RoundSounds& sounds, DrawList& drawList, kit::ActionMap& actions,
          kit::TimeSource now = kit::realTimeSource(), const RoundOptions& options = RoundOptions());

    // Runs one frame up to its drawing. pollEvents refreshes the action map for the next frame.
    Outcome frame(sf::Time frameTime, const std::function<void()>& pollEvents);

    bool isBottomHalf() const { return bottomHalf; }
    const CommandBoard& getBoard() const { return board; }
    const StemMixer& getMixer() const { return mixer; }
    const EndingCard& getEndingCard() const { return endingCard; }
    const sf::Text& getCountdown() const { return countdown; }
    const SpriteEntity& getRegionSelector() const { return regionSelector; }
    const SpriteEntity& getBackgroundA() const { return backgroundA; }
    const SpriteEntity& getBackgroundB() const { return backgroundB; }
    const SpriteEntity& getTimeIcon() const { return timeIcon; }
    const Flock& getFlock() const { return flock; }
    Flock& getFlock() { return flock; }
    const DustTrail& getDust() const { return dust; }
    const Player& getPlayer() const { return player; }
    Player& getPlayer() { return player; }

private:
    void postCommands();
    void scrollBackground(float dt);

    RoundSounds sounds;
    kit::ActionMap* actions;
    BeatClock beatClock;
    CommandBoard board;
    bool bottomStart;
    StemMixer mixer;
    kit::Timer spawnTimer;
    SpriteEntity backgroundA;
    SpriteEntity backgroundB;
    EndingCard endingCard;
    SpriteEntity regionSelector;
    Player player;
    SpriteEntity timeIcon;
    sf::Text countdown;
    Flock flock;
    DustTrail dust;
    bool bottomHalf = false;
};

// The start choice that makes the bottom stem loud and puts the player in the bottom half.
bool drawBottomStart();

// Draws once, off screen, what a game first draws only later: a baseballer and the open love circle with its rim.
// The renderer prepares its state for a new kind of drawing in the frame that first asks for it, which would stall
// the first spawn and the first love; done at set-up, that cost is paid before the first frame. Leaves the target
// to be cleared.
void prepareRoundDrawing(sf::RenderTarget& target);
