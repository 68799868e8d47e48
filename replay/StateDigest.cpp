#include "replay/StateDigest.hpp"
#include <cstdio>

namespace
{

const char* const PartNames[StateDigest::PartCount] = {"player",    "baseballers", "stem volumes",
                                                       "countdown", "fade",        "board"};

} // namespace

const char* digestPartName(int part)
{
    return part >= 0 && part < StateDigest::PartCount ? PartNames[part] : "";
}

std::string digestText(const StateDigest& digest)
{
    char buffer[16 + 1 + StateDigest::PartCount * 9 + 1];
    int written = std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(digest.total));
    for (std::uint32_t part : digest.parts)
        written += std::snprintf(buffer + written, sizeof buffer - static_cast<std::size_t>(written), " %08lx",
                                 static_cast<unsigned long>(part));
    return std::string(buffer, static_cast<std::size_t>(written));
}

namespace
{

bool parseHex(const std::string& word, std::size_t digits, std::uint64_t& value)
{
    if (word.size() != digits)
        return false;
    value = 0;
    for (char c : word)
    {
        int nibble = 0;
        if (c >= '0' && c <= '9')
            nibble = c - '0';
        else if (c >= 'a' && c <= 'f')
            nibble = c - 'a' + 10;
        else
            return false;
        value = value << 4 | static_cast<std::uint64_t>(nibble);
    }
    return true;
}

} // namespace

bool parseDigest(const std::string& total, const std::array<std::string, StateDigest::PartCount>& parts,
                 StateDigest& digest)
{
    if (!parseHex(total, 16, digest.total))
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        std::uint64_t part = 0;
        if (!parseHex(parts[i], 8, part))
            return false;
        digest.parts[i] = static_cast<std::uint32_t>(part);
    }
    return true;
}

std::string describeDifference(const StateDigest& expected, const StateDigest& actual)
{
    std::string names;
    for (int i = 0; i < StateDigest::PartCount; ++i)
        if (expected.parts[static_cast<std::size_t>(i)] != actual.parts[static_cast<std::size_t>(i)])
            names += (names.empty() ? "" : ", ") + std::string(PartNames[i]);
    if (names.empty() && expected.total != actual.total)
        names = "the state as a whole";
    return names;
}
