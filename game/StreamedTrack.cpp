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
#include <cstring>
#include <fstream>
#include <vector>

namespace
{

const char* const CutShortFault = "the sound ends before the length its header gives: the file is cut short";

// A stem cut short still opens, because its header gives the whole length, and then stops early: the game would
// end before its time with nothing said. This is the slow way to find it, for a sound that is not a plain wave
// file: decode it all once.
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

bool readWhole(const std::string& path, std::vector<char>& bytes)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size <= 0 || !file.seekg(0))
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    if (!file.read(bytes.data(), size))
        bytes.clear();
    return !bytes.empty();
}

sf::Uint32 littleEndian32(const unsigned char* bytes)
{
    return static_cast<sf::Uint32>(bytes[0]) | static_cast<sf::Uint32>(bytes[1]) << 8 |
           static_cast<sf::Uint32>(bytes[2]) << 16 | static_cast<sf::Uint32>(bytes[3]) << 24;
}

} // namespace

WaveCheck checkWaveLength(sf::InputStream& stream)
{
    const sf::Int64 size = stream.getSize();
    unsigned char header[12];
    if (size < 12 || stream.seek(0) != 0 || stream.read(header, 12) != 12 || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        return WaveCheck::NotWave;
    // The chunks follow one another, each padded to an even length, up to the sound's own.
    sf::Int64 position = 12;
    while (position + 8 <= size)
    {
        unsigned char chunk[8];
        if (stream.seek(position) != position || stream.read(chunk, 8) != 8)
            return WaveCheck::NotWave;
        const sf::Int64 length = littleEndian32(chunk + 4);
        const sf::Int64 start = position + 8;
        if (std::memcmp(chunk, "data", 4) == 0)
            return start + length <= size ? WaveCheck::Whole : WaveCheck::CutShort;
        position = start + length + (length & 1);
    }
    // The sound's chunk itself is missing or lies beyond the end.
    return WaveCheck::CutShort;
}

bool StreamedTrack::openFromFile(const std::string& path)
{
    kit::ErrorCapture capture;
    opened = false;
    fault.clear();

    // One open of the file serves both the check and the streaming. Only a refused file is opened again, by name,
    // so that SFML's reason for it names the file.
    auto file = std::make_unique<HeldFile>();
    if (readWhole(path, file->bytes))
        file->stream.open(file->bytes.data(), file->bytes.size());
    const WaveCheck check = file->bytes.empty() ? WaveCheck::NotWave : checkWaveLength(file->stream);
    if (check == WaveCheck::CutShort || (check == WaveCheck::NotWave && !decodesToItsEnd(path)))
    {
        fault = check == WaveCheck::CutShort ? std::string() : capture.line();
        if (fault.empty())
            fault = CutShortFault;
        return false;
    }
    if (check == WaveCheck::NotWave)
        opened = music.openFromFile(path);
    else
        opened = file->stream.seek(0) == 0 && music.openFromStream(file->stream);
    music.setLoop(false);
    if (!opened)
    {
        // SFML's reason for a stream does not name the file; ask again by name.
        const kit::ErrorCapture byName;
        sf::InputSoundFile named;
        named.openFromFile(path);
        fault = byName.line();
        if (fault.empty())
            fault = capture.line();
        return false;
    }
    // The music reads from the new file from now on; the one it read before can go.
    if (check != WaveCheck::NotWave)
        source = std::move(file);
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
    startTogether(stems);
    finishTogether(stems);
}

void StreamedTrack::startTogether(const std::vector<StreamedTrack*>& stems)
{
    for (StreamedTrack* stem : stems)
    {
        stem->heldVolume = stem->getVolume();
        stem->setVolume(0.f);
        stem->play();
    }
}

void StreamedTrack::finishTogether(const std::vector<StreamedTrack*>& stems)
{
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
    // A paused source keeps its voice, and with it the gain the mixer last used: resumed after the unmute, it would
    // fade in from silence over a mixing period wherever it had been mixed muted. A rewound source gives up its
    // voice and its place, so the play below gives each stem a fresh voice that starts at its first queued sample
    // and at its volume. Rewound, a source reads Stopped, which its streaming thread may answer with a play of its
    // own in the moment before ours; ours then restarts it from its first sample with the others.
    const auto count = static_cast<ALsizei>(sources.size());
    alSourceRewindv(count, sources.data());
    for (StreamedTrack* stem : stems)
        stem->setVolume(stem->heldVolume);
    alSourcePlayv(count, sources.data());
}

void StreamedTrack::stop()
{
    music.stop();
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
    // At the full music level the stem itself answers, as it always has (its float can come back a hair off).
    return gain == 100.f ? music.getVolume() : volume;
}

void StreamedTrack::setVolume(float newVolume)
{
    volume = newVolume;
    music.setVolume(volume * gain / 100.f);
}

void StreamedTrack::setGain(float percent)
{
    gain = percent;
    music.setVolume(volume * gain / 100.f);
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

std::string outputDeviceName()
{
    ALCcontext* context = alcGetCurrentContext();
    ALCdevice* device = context != nullptr ? alcGetContextsDevice(context) : nullptr;
    if (device == nullptr)
        return "";
    // The full name where the library has it: the short one can be the same for two outputs.
    const ALCchar* name = alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT") == ALC_TRUE
                              ? alcGetString(device, ALC_ALL_DEVICES_SPECIFIER)
                              : nullptr;
    if (name == nullptr || *name == '\0')
        name = alcGetString(device, ALC_DEVICE_SPECIFIER);
    return name != nullptr ? name : "";
}
