#pragma once

#include "SeededRandom.hpp"
#include "SourceText.hpp"

#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>

// Paints the world's backdrop from a source of named colours, counts and a seed: a dusk sky with clouds and hills
// over the top half, the fen's shore, water, lily pads and reeds over the bottom half. Every feature is placed
// modulo the width, so the picture tiles side by side without a seam.
class BackgroundPainter
{
public:
    explicit BackgroundPainter(const SourceText& source);

    sf::Image paint() const;

private:
    sf::Color colour(const std::string& name) const;
    int count(const std::string& name) const;

    void paintSky(sf::Image& picture) const;
    void paintClouds(sf::Image& picture, SeededRandom& random) const;
    void paintHills(sf::Image& picture, SeededRandom& random) const;
    void paintWater(sf::Image& picture, SeededRandom& random) const;
    void paintShore(sf::Image& picture, SeededRandom& random) const;
    void paintReedClumps(sf::Image& picture, SeededRandom& random) const;

    // Sets a pixel with x taken modulo the width; rows outside the picture are ignored.
    void plot(sf::Image& picture, int x, int y, sf::Color colour) const;

    const SourceText& source;
    int width = 300;
    int height = 200;
    int horizon = 100;
    std::uint64_t seed = 1;
    std::map<std::string, sf::Color> colours;
    std::map<std::string, int> counts;
};
