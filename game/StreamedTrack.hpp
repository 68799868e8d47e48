#pragma once

#include "game/MusicTrack.hpp"

#include <SFML/Audio/Music.hpp>

#include <string>

// A stem streamed from its file by SFML's audio threads.
class StreamedTrack : public MusicTrack
{
public:
    // Opens the file; a file that cannot be opened leaves a silent stem that reads Stopped.
    bool openFromFile(const std::string& path);
    void play();

    sf::Time getPlayingOffset() const override;
    sf::Time getDuration() const override;
    sf::SoundSource::Status getStatus() const override;
    float getVolume() const override;
    void setVolume(float volume) override;

private:
    sf::Music music;
};

// Whether SFML's audio can open an output device. Without one a stem never plays and never ends, so the game,
// which follows its music, cannot run.
bool audioOutputAvailable();
