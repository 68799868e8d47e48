#pragma once

#include <SFML/Window/Event.hpp>

#include <string>

// Window events as a recording writes them: "e:" then the event's kind and its fields, joined by ':', e.g.
// "e:keydown:72:0:0:0:0" (code, alt, control, shift, system) or "e:joymove:0:1:-37.5". Every kind SFML has is
// covered, so a recording keeps whatever the window handed over, joystick events included.
std::string eventText(const sf::Event& event);

// Reads eventText's words back; false when they name no event kind or do not fit it.
bool parseEvent(const std::string& text, sf::Event& event);
