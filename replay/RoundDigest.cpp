// The digest of a round's state, apart from the digest's text so that the readers need nothing of the game.

#include "game/Round.hpp"
#include "replay/StateDigest.hpp"

#include <cstring>

namespace
{

// FNV-1a, 64 bits: small, fast and stable across builds, which is all a replay check needs.
class Fnv
{
public:
    void bytes(const void* data, std::size_t size)
    {
        const auto* byte = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
        {
            hash ^= byte[i];
            hash *= 1099511628211ull;
        }
    }

    // Floats go in by their bits: a replay must match to the last bit, not to a printed rounding.
    void number(float value)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        bytes(&bits, sizeof bits);
    }
    void number(std::int64_t value) { bytes(&value, sizeof value); }
    void vector(sf::Vector2f value)
    {
        number(value.x);
        number(value.y);
    }
    void color(sf::Color value)
    {
        const unsigned char rgba[] = {value.r, value.g, value.b, value.a};
        bytes(rgba, sizeof rgba);
    }
    void text(const std::string& value)
    {
        number(static_cast<std::int64_t>(value.size()));
        bytes(value.data(), value.size());
    }

    std::uint64_t get() const { return hash; }

private:
    std::uint64_t hash = 14695981039346656037ull;
};

std::uint32_t folded(std::uint64_t hash)
{
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

} // namespace

StateDigest digestRound(const Round& round)
{
    std::array<Fnv, StateDigest::PartCount> parts;

    const Player& player = round.getPlayer();
    parts[0].vector(player.getPosition());
    parts[0].vector(player.velocity);
    parts[0].vector(player.getScale());
    parts[0].number(player.getRotation());
    parts[0].color(player.getColor());
    parts[0].number(player.loveCircle.getRadius());
    parts[0].number(player.loveStrength);

    const auto& baseballers = round.getFlock().getBaseballers();
    parts[1].number(static_cast<std::int64_t>(baseballers.size()));
    for (const auto& baseballer : baseballers)
    {
        parts[1].vector(baseballer->getPosition());
        parts[1].vector(baseballer->getScale());
        parts[1].number(baseballer->getHealth());
        parts[1].color(baseballer->getWingA().getFillColor());
    }

    parts[2].number(static_cast<std::int64_t>(round.getMixer().getTopVolume()));
    parts[2].number(static_cast<std::int64_t>(round.getMixer().getBottomVolume()));

    parts[3].text(round.getCountdown().getString().toAnsiString());

    parts[4].number(round.getEndingCard().getFadeLevel());

    const auto& commands = round.getBoard().getCommands();
    parts[5].number(static_cast<std::int64_t>(commands.size()));
    for (const Command& command : commands)
    {
        parts[5].text(command.name);
        parts[5].number(static_cast<std::int64_t>(command.beatCode));
        parts[5].number(static_cast<std::int64_t>(command.ready ? 1 : 0));
    }

    StateDigest digest;
    Fnv total;
    for (int i = 0; i < StateDigest::PartCount; ++i)
    {
        const std::uint64_t part = parts[static_cast<std::size_t>(i)].get();
        total.bytes(&part, sizeof part);
        digest.parts[static_cast<std::size_t>(i)] = folded(part);
    }
    digest.total = total.get();
    return digest;
}
