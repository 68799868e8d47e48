#include "game/StreamedTrack.hpp"

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
