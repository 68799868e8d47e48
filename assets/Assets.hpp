#pragma once

#include "assets/MediaFolder.hpp"
#include "kit/MultiResourceCache.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

// Assets by short name, through the cache, so every holder of a name shares one object. Names are used verbatim.
// A file that cannot be loaded raises kit::ResourceLoadingException naming its path.

// images/NAME.PNG in the media folder (the extension is upper case, and so must the file's be).
std::shared_ptr<sf::Texture> loadTexture(kit::MultiResourceCache& cache, const MediaFolder& media,
                                         const std::string& name);
// sounds/NAME.wav in the media folder.
std::shared_ptr<sf::SoundBuffer> loadSoundBuffer(kit::MultiResourceCache& cache, const MediaFolder& media,
                                                 const std::string& name);
// The game's one font in the media folder. A font file cut short is refused, though FreeType would open it.
std::shared_ptr<sf::Font> loadFont(kit::MultiResourceCache& cache, const MediaFolder& media);
