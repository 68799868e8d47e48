#include "settings/PlayerSettings.hpp"

sf::Time AudioSettings::offsetFor(const std::string& device) const
{
    const auto own = deviceOffsets.find(device);
    return sf::milliseconds(own != deviceOffsets.end() ? own->second : offsetMs);
}
