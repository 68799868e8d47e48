#include "world/SoundEffect.hpp"

SoundEffect::SoundEffect(const sf::SoundBuffer& buffer)
    : sound(buffer)
{
}

void SoundEffect::play()
{
    sound.play();
}

void SoundEffect::setVolume(float percent)
{
    sound.setVolume(percent);
}
