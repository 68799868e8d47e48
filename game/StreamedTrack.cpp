#include "game/StreamedTrack.hpp"

#include <AL/al.h>
#include <AL/alc.h>
#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
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

bool StreamedTrack::isSourcePlaying() const
{
    ALint state = AL_INITIAL;
    alGetSourcei(music.getSource(), AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void StreamedTrack::playTogether(const std::vector<StreamedTrack*>& stems)
{
    std::vector<float> volumes;
    for (StreamedTrack* stem : stems)
    {
        volumes.push_back(stem->getVolume());
        stem->setVolume(0.f);
        stem->play();
    }
    // A stem whose file did not open, or whose thread gave up, reads Stopped. The wait is bounded so that a
    // stuck thread costs a moment's silence, not the game; SFML streams a second per buffer, so within it no
    // buffer has been used up and the first sample of the queue is the stem's first.
    const auto settled = [](const StreamedTrack* stem)
    { return stem->isSourcePlaying() || stem->getStatus() == sf::SoundSource::Stopped; };
    const sf::Clock waiting;
    while (!std::all_of(stems.begin(), stems.end(), settled) && waiting.getElapsedTime() < sf::seconds(1.f))
        sf::sleep(sf::milliseconds(1));

    std::vector<ALuint> sources;
    for (const StreamedTrack* stem : stems)
        if (stem->isSourcePlaying())
            sources.push_back(stem->music.getSource());
    const auto count = static_cast<ALsizei>(sources.size());
    alSourcePausev(count, sources.data());
    for (const ALuint source : sources)
        alSourcei(source, AL_SAMPLE_OFFSET, 0);
    for (std::size_t i = 0; i < stems.size(); ++i)
        stems[i]->setVolume(volumes[i]);
    alSourcePlayv(count, sources.data());
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
