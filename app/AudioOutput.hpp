#pragma once

#include <string>

// How the game will sound, decided once before anything opens an audio device.
enum class AudioOutput
{
    Device, // a device opens, by the drivers OpenAL Soft picks or the player named
    Silent, // none opens and the player named no drivers: OpenAL Soft's silent output keeps the music's clock
    None,   // the drivers the player named in ALSOFT_DRIVERS open no device either
};

// Probes for an audio device in a short-lived child process and, when none opens and ALSOFT_DRIVERS is not set,
// sets it to OpenAL Soft's silent output for this process. OpenAL Soft reads its driver list once, at its first use,
// so this must run before anything of the game's touches audio; the probe itself never loads a driver here.
AudioOutput chooseAudioOutput();

// The one line that tells the player the game plays without sound.
std::string silentPlayNotice();
