#pragma once

#include "game/MusicTrack.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/System/MemoryInputStream.hpp>

#include <memory>
#include <string>
#include <vector>

// A stem streamed from its file by SFML's audio threads.
class StreamedTrack : public MusicTrack
{
public:
    // Opens the file; a file that cannot be opened, or whose sound ends before the length its header gives, leaves
    // a silent stem that reads Stopped, and getFault says why.
    bool openFromFile(const std::string& path);
    // Starts a stem that was opened; one that was not stays silent and Stopped.
    void play();
    void stop();
    // Why the last openFromFile failed, on one line; empty after one that worked.
    const std::string& getFault() const { return fault; }
    // The player's music volume in percent, under the game's own: the stem sounds at volume x gain / 100, and
    // reads back the game's volume.
    void setGain(float percent);

    // Starts the stems on the same sample. play() leaves the start to the stem's streaming thread, and the mixer
    // begins a source at its next period (23 ms), so stems started one by one can sound a period or more apart.
    // Here they start muted; once every stem that can play has started, all are rewound together, unmuted and
    // started again in one call, which the mixer starts on one sample.
    static void playTogether(const std::vector<StreamedTrack*>& stems);
    // playTogether in two halves, for a caller with other set-up to do while the streaming threads fill their first
    // buffers: startTogether returns at once with the stems playing muted, finishTogether waits for them and
    // starts them together. In between nothing may set the stems' volumes.
    static void startTogether(const std::vector<StreamedTrack*>& stems);
    static void finishTogether(const std::vector<StreamedTrack*>& stems);

    sf::Time getPlayingOffset() const override;
    sf::Time getDuration() const override;
    sf::SoundSource::Status getStatus() const override;
    float getVolume() const override;
    void setVolume(float volume) override;
    // Through OpenAL Soft's source latency extension; zero where the library has none.
    sf::Time getOutputLatency() const override;

private:
    // SFML keeps a sound's OpenAL source to its subclasses.
    class Stream : public sf::Music
    {
    public:
        unsigned int getSource() const { return m_source; }
    };

    bool isSourcePlaying() const;

    // A stem's file held whole in memory. SFML reads a wave file a sample at a time, and from a file each of those
    // reads is a library call: filling the first seconds of three stems that way held up their start.
    struct HeldFile
    {
        std::vector<char> bytes;
        sf::MemoryInputStream stream;
    };

    // The file the music streams from; it outlives the music's use of it.
    std::unique_ptr<HeldFile> source;
    Stream music;
    bool opened = false;
    std::string fault;
    float heldVolume = 100.f; // the volume kept while the stem starts muted
    float volume = 100.f;     // the game's volume, before the gain
    float gain = 100.f;
};

enum class WaveCheck
{
    Whole,    // a wave file whose sound data is all there
    CutShort, // a wave file whose sound data ends before the length its header gives
    NotWave,  // not a wave file this check can read; only decoding it all tells
};

// Reads a wave file's chunk headers to compare the length of its sound data with what the file holds, so a stem
// cut short is found without decoding it. Leaves the stream at some point within it.
WaveCheck checkWaveLength(sf::InputStream& stream);

// Whether SFML's audio can open an output device. Without one a stem never plays and never ends, so the game,
// which follows its music, cannot run.
bool audioOutputAvailable();

// The name of the output device SFML's audio plays on, as OpenAL names it ("OpenAL Soft on Built-in Audio"); empty
// when none is open.
std::string outputDeviceName();
