#include "game/StreamedTrack.hpp"

#include "kit/ErrorCapture.hpp"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
#include <vector>

namespace
{

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
    kit::ErrorCapture capture;
    opened = false;
    fault.clear();
    if (!decodesToItsEnd(path))
    {
        fault = capture.line();
        if (fault.empty())
            fault = "the sound ends before the length its header gives: the file is cut short";
        return false;
    }
    opened = music.openFromFile(path);
    music.setLoop(false);
    if (!opened)
        fault = capture.line();
    return opened;
}

void StreamedTrack::play()
{
    // SFML complains about playing a stream that has nothing to play; the caller has already said why.
    if (opened)
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

sf::Time StreamedTrack::getOutputLatency() const
{
    // Looked up once: the game has one audio context, made with the first sound object.
    static const auto getSourcedv = []() -> LPALGETSOURCEDVSOFT
    {
        if (alIsExtensionPresent("AL_SOFT_source_latency") != AL_TRUE)
            return nullptr;
        return reinterpret_cast<LPALGETSOURCEDVSOFT>(alGetProcAddress("alGetSourcedvSOFT"));
    }();
    if (getSourcedv == nullptr)
        return sf::Time::Zero;
    // The offset and, after it, how long until the sample at that offset is heard.
    ALdouble offsetAndLatency[2] = {0.0, 0.0};
    getSourcedv(music.getSource(), AL_SEC_OFFSET_LATENCY_SOFT, offsetAndLatency);
    if (alGetError() != AL_NO_ERROR || !(offsetAndLatency[1] > 0.0) || offsetAndLatency[1] > 10.0)
        return sf::Time::Zero;
    return sf::microseconds(static_cast<sf::Int64>(offsetAndLatency[1] * 1e6));
}

bool audioOutputAvailable()
{
    // SFML opens the device for its first sound object and reports a failure on its error stream, followed by
    // a failed call for each object made; the caller gives one clear message instead.
    const kit::ErrorCapture quiet;
    const sf::Sound probe;
    return alcGetCurrentContext() != nullptr;
}
