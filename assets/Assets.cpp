#include "assets/Assets.hpp"

#include "kit/Resources.hpp"

#include <SFML/System/Err.hpp>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{

std::uint32_t bigEndian(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// FreeType opens a font whose glyph outlines were cut off the end of its file, and its text then draws as nothing.
// So every table the font's directory lists must lie within the file. A font collection or anything else that is
// not a plain font file is left to FreeType to judge.
bool tablesWithinFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (bytes.size() < 12)
        return true;
    const std::uint32_t version = bigEndian(bytes, 0, 4);
    if (version != 0x00010000u && version != 0x4F54544Fu) // TrueType outlines, or "OTTO" for CFF outlines
        return true;
    const std::size_t tableCount = bigEndian(bytes, 4, 2);
    if (12 + 16 * tableCount > bytes.size())
        return false;
    for (std::size_t i = 0; i < tableCount; ++i)
    {
        const std::uint64_t offset = bigEndian(bytes, 12 + 16 * i + 8, 4);
        const std::uint64_t length = bigEndian(bytes, 12 + 16 * i + 12, 4);
        if (offset + length > bytes.size())
            return false;
    }
    return true;
}

} // namespace

std::shared_ptr<sf::Texture> loadTexture(kit::MultiResourceCache& cache, const MediaFolder& media,
                                         const std::string& name)
{
    return cache.acquire(kit::resources::fromFile<sf::Texture>(media.image(name)));
}

std::shared_ptr<sf::SoundBuffer> loadSoundBuffer(kit::MultiResourceCache& cache, const MediaFolder& media,
                                                 const std::string& name)
{
    return cache.acquire(kit::resources::fromFile<sf::SoundBuffer>(media.sound(name + ".wav")));
}

std::shared_ptr<sf::Font> loadFont(kit::MultiResourceCache& cache, const MediaFolder& media)
{
    const std::string path = media.font();
    const auto plain = kit::resources::fromFile<sf::Font>(path);
    const kit::ResourceKey<sf::Font> whole(
        [plain, path]() -> std::unique_ptr<sf::Font>
        {
            auto font = plain.load();
            if (font && !tablesWithinFile(path))
            {
                sf::err() << "Failed to load font \"" << path
                          << "\" (the file ends inside its own tables: it is cut short)" << std::endl;
                return nullptr;
            }
            return font;
        },
        plain.getDescription(), plain.getIdentity());
    return cache.acquire(whole);
}
