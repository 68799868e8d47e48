#include "assets/Assets.hpp"

#include "app/Settings.hpp"
#include "kit/Resources.hpp"

std::shared_ptr<sf::Texture> loadTexture(kit::MultiResourceCache& cache, const std::string& name)
{
    return cache.acquire(kit::resources::fromFile<sf::Texture>(IMAGES_PATH + name + ".PNG"));
}

std::shared_ptr<sf::SoundBuffer> loadSoundBuffer(kit::MultiResourceCache& cache, const std::string& name)
{
    return cache.acquire(kit::resources::fromFile<sf::SoundBuffer>(SOUNDS_PATH + name + ".wav"));
}

std::shared_ptr<sf::Font> loadFont(kit::MultiResourceCache& cache)
{
    return cache.acquire(kit::resources::fromFile<sf::Font>(FONT_PATH));
}
