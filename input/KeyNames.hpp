#pragma once

#include <SFML/Window/Keyboard.hpp>

#include <string>

// The key of an SFML key name ("Left", "LShift", "A"), or sf::Keyboard::Unknown; and back. Input scripts and the
// settings file name keys this way.
sf::Keyboard::Key keyFromName(const std::string& name);
std::string keyName(sf::Keyboard::Key key);
