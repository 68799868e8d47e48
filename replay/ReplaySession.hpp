#pragma once

#include "assets/MediaFolder.hpp"
#include "game/Round.hpp"
#include "kit/ActionMap.hpp"
#include "kit/MultiResourceCache.hpp"
#include "render/DrawList.hpp"
#include "replay/Channels.hpp"
#include "replay/InputScript.hpp"
#include "replay/Recording.hpp"
#include "replay/StateDigest.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <istream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What one replayed frame did, for whoever shows, checks or renders it.
struct ReplayFrame
{
    std::size_t index = 0; // counted from 0
    std::size_t line = 0;  // the recording's line of the frame; 0 for a script
    sf::Time frameTime;
    // The base stem's clock at the frame: the last playing offset it read (a script's music time).
    sf::Time musicTime;
    // Every volume the game set on a stem in the frame, in order, and the volumes after it.
    std::vector<std::pair<Stem, float>> volumeSets;
    float volumes[StemCount] = {100.f, 100.f, 100.f};
    // Every sound the game started in the frame, in order.
    std::vector<Cue> soundsStarted;
    // Whether the canvas holds this frame's picture; the game's last frame ends before it draws.
    bool drawn = false;
    // The state after the frame, and for a recording whether it is what was recorded and, if not, what differs.
    StateDigest digest;
    bool matched = true;
    std::string difference;
};

// Plays a recording or an input script through a real Round, frame by frame, with no window and no audio device:
// the stems, the sounds, the time source and the keyboard are answered from the file. Each step composes the frame's
// picture on the game's canvas (canvas() from app/Settings.hpp, the 300x200 picture the window shows enlarged),
// exactly as the game does, so a step needs an OpenGL context (a display) but nothing else.
//
//     ReplaySession session(ReplaySession::open(path), cache, media);
//     while (session.step())
//         use(session.getFrame(), canvas());
//
// The session never waits; whoever drives it chooses the pace (real time, as fast as possible, or 60 fps of video).
class ReplaySession
{
public:
    // A recording or a script, as read from its file.
    struct Source
    {
        std::string name;
        bool isScript = false;
        Recording recording;
        InputScript script;
    };

    // Reads a file, telling a script from a recording by its first line. Throws ReplayFormatError naming the line
    // for a file it cannot read, std::runtime_error naming the file when it cannot be opened.
    static Source open(const std::string& path);
    static Source read(std::istream& in, const std::string& name);

    // Sets the game up as the recording says (seed, media through the cache, stems answered from the file).
    ReplaySession(Source source, kit::MultiResourceCache& cache, MediaFolder media);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Runs the next frame. False when there is none: the recording is used up, or the game ended on the last step.
    bool step();

    const ReplayFrame& getFrame() const { return frame; }
    const Source& getSource() const { return source; }
    const Round& getRound() const { return *round; }

    // How many frames the file holds: a recording's count; for a script, its music's length at 60 frames a second.
    std::size_t getFrameCount() const;
    // The first frame whose state differed from the recording, counted from 0; -1 while all matched.
    long getFirstDifference() const { return firstDifference; }

    // A script's frames are 1/60 s, rounded to whole microseconds so that they add up exactly.
    static sf::Time scriptTime(std::size_t frames);

    class Feed; // where the answers come from: the recording, or the script's clock and keyboard

private:
    class Track;
    class Sound;

    // The pads as the feed answers them, asked the questions a recording names.
    kit::JoystickState replayedPads();

    Source source;
    MediaFolder media;
    std::unique_ptr<Feed> feed;
    std::vector<std::unique_ptr<Track>> tracks;
    std::vector<std::unique_ptr<Sound>> sounds;
    kit::ActionMap actions;
    DrawList drawList;
    std::shared_ptr<sf::Texture> textures[5];
    std::shared_ptr<sf::Font> font;
    std::unique_ptr<Round> round;
    ReplayFrame frame;
    std::size_t next = 0;
    long firstDifference = -1;
    bool ended = false;
};
