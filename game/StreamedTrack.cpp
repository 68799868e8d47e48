#include "game/StreamedTrack.hpp"

#include <AL/alc.h>
#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Err.hpp>

#include <sstream>

bool StreamedTrack::openFromFile(const std::string& path)
{
    const bool opened = music.openFromFile(path);
    music.setLoop(false);
    return opened;
}

void StreamedTrack::play()
{
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
