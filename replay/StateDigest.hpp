#pragma once

#include <array>
#include <cstdint>
#include <string>

class Round;

// A short fingerprint of the game's state after a frame, with one smaller fingerprint per part of it, so that two
// runs that part can be told where: the player, the baseballers, the stem volumes, the countdown, the fade and the
// command board.
struct StateDigest
{
    static constexpr int PartCount = 6;

    std::uint64_t total = 0;
    std::array<std::uint32_t, PartCount> parts{};

    bool operator==(const StateDigest& other) const { return total == other.total && parts == other.parts; }
    bool operator!=(const StateDigest& other) const { return !(*this == other); }
};

// The names of the parts, in their order: "player", "baseballers", "stem volumes", "countdown", "fade", "board".
const char* digestPartName(int part);

// 64-bit FNV-1a over the state read through the round's getters.
StateDigest digestRound(const Round& round);

// The digest as a recording writes it: 16 hex digits of the total, then each part in 8.
std::string digestText(const StateDigest& digest);

// Reads the words digestText wrote; false when they are not a digest.
bool parseDigest(const std::string& total, const std::array<std::string, StateDigest::PartCount>& parts,
                 StateDigest& digest);

// The parts that differ, named and joined by ", "; empty when the digests match.
std::string describeDifference(const StateDigest& expected, const StateDigest& actual);
