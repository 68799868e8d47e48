#include "game/StreamedTrack.hpp"

#include <AL/alc.h>
#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Err.hpp>

#include <sstream>
#include <vector>

namespace
{

// Sends sf::err() into a string for as long as it lives.
class ErrCapture
{
public:
    ErrCapture()
        : previous(sf::err().rdbuf(captured.rdbuf()))
    {
    }
    ~ErrCapture() { sf::err().rdbuf(previous); }
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    // What was said, on one line.
    std::string text() const
    {
        std::string said = captured.str();
        said.erase(said.find_last_not_of(" \t\r\n") + 1);
        for (char& c : said)
            if (c == '\n')
                c = ' ';
        return said;
    }

private:
    std::ostringstream captured;
    std::streambuf* previous;
};

// A stem cut short still opens, because its header gives the whole length, and then stops early: the game would
// end before its time with nothing said. So the whole stem is decoded once before it is trusted.
bool decodesToItsEnd(const std::string& path)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return false;
    std::vector<sf::Int16> chunk(4096);
    sf::Uint64 decoded = 0;
    sf::Uint64 read = 0;
    while ((read = file.read(chunk.data(), chunk.size())) > 0)
        decoded += read;
    return decoded == file.getSampleCount();
}

} // namespace

bool StreamedTrack::openFromFile(const std::string& path)
{
    ErrCapture capture;
    opened = false;
    fault.clear();
    if (!decodesToItsEnd(path))
    {
        fault = capture.text();
        if (fault.empty())
            fault = "the sound ends before the length its header gives: the file is cut short";
        return false;
    }
    opened = music.openFromFile(path);
    music.setLoop(false);
    if (!opened)
        fault = capture.text();
    return opened;
}

void StreamedTrack::play()
{
    // SFML complains about playing a stream that has nothing to play; the caller has already said why.
    if (opened)
        music.play();
}

sf::Time StreamedTrack::getPlayingOffset() const
{
    return music.getPlayingOffset();
}

sf::Time StreamedTrack::getDuration() const
{
    return music.getDuration();
}

sf::SoundSource::Status StreamedTrack::getStatus() const
{
    return music.getStatus();
}

float StreamedTrack::getVolume() const
{
    return music.getVolume();
}

void StreamedTrack::setVolume(float volume)
{
    music.setVolume(volume);
}

bool audioOutputAvailable()
{
    // SFML opens the device for its first sound object and reports a failure on its error stream, followed by
    // a failed call for each object made; the caller gives one clear message instead.
    std::ostringstream ignored;
    std::streambuf* const previous = sf::err().rdbuf(ignored.rdbuf());
    bool available = false;
    {
        const sf::Sound probe;
        available = alcGetCurrentContext() != nullptr;
    }
    sf::err().rdbuf(previous);
    return available;
}
