#pragma once

#include "kit/ResourceKey.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

namespace kit::resources
{

// How a resource type is called in a failure message.
template <typename T>
const char* kindName()
{
    return "resource";
}
template <>
inline const char* kindName<sf::Texture>()
{
    return "texture";
}
template <>
inline const char* kindName<sf::Image>()
{
    return "image";
}
template <>
inline const char* kindName<sf::SoundBuffer>()
{
    return "sound buffer";
}
template <>
inline const char* kindName<sf::Font>()
{
    return "font";
}

// A key that loads T from the file at path with T's own loadFromFile. The path is the identity, taken verbatim:
// "a/b.png" and "./a/b.png" are different keys.
template <typename T>
ResourceKey<T> fromFile(const std::string& path)
{
    auto loader = [path]() -> std::unique_ptr<T>
    {
        auto resource = std::make_unique<T>();
        if (!resource->loadFromFile(path))
            return nullptr;
        return resource;
    };
    return ResourceKey<T>(loader, std::string(kindName<T>()) + " from file " + path, path);
}

} // namespace kit::resources
