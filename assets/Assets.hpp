#pragma once

#include "kit/MultiResourceCache.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

// Assets by short name, through the cache, so every holder of a name shares one object. Names are used verbatim.
// A file that cannot be loaded raises kit::ResourceLoadingException naming its path.

// IMAGES_PATH + name + ".PNG" (the extension is upper case, and so must the file's be).
std::shared_ptr<sf::Texture> loadTexture(kit::MultiResourceCache& cache, const std::string& name);
// SOUNDS_PATH + name + ".wav".
std::shared_ptr<sf::SoundBuffer> loadSoundBuffer(kit::MultiResourceCache& cache, const std::string& name);
// The game's one font, FONT_PATH. A font file cut short is refused, though FreeType would open it.
std::shared_ptr<sf::Font> loadFont(kit::MultiResourceCache& cache);
