#pragma once

#include "Instrument.hpp"
#include "SourceText.hpp"

#include <vector>

// A short sound effect made of layers, each an instrument voice started at a time and held for a while:
//
//   length 0.25          seconds of the whole sound
//   peak 0.7             the loudest sample after mixing
//   fade 0.004           raised-cosine fade at both ends
//   layer start=0 duration=0.2 wave=triangle pitch=330 glide=3 ...
class SoundRecipe
{
public:
    explicit SoundRecipe(const SourceText& source);

    std::vector<float> render() const;

private:
    struct Layer
    {
        Instrument instrument;
        Note note;
    };

    double length = 0;
    double peak = 0.7;
    double fade = 0.004;
    std::vector<Layer> layers;
};
