#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Enlarges full planes (a Y, U and V value for every picture pixel) by a whole factor into 4:2:0 planes: every
// picture pixel a sharp block of luma, each chroma value the mean of the picture pixels under its 2x2 luma square.
// The colour conversion then runs on the small picture, a ninth of the pixels at the game's factor.
//
// Each row is made once from runs of one value, stored a word at a time, and copied for the rows that repeat it;
// the working rows are made once, not for every video frame.
class PictureEnlarger
{
public:
    // The largest factor it takes; std::invalid_argument for a factor outside 1 to this.
    static constexpr int MostFactor = 8;

    PictureEnlarger(int width, int height, int factor);

    void enlarge(const std::uint8_t* const source[3], const int sourceStride[3], std::uint8_t* const target[3],
                 const int targetStride[3]);

private:
    // Every pixel of `plane` as a scale x scale block, cut to the target's size.
    void enlargeBlocks(const std::uint8_t* plane, int stride, int scale, std::uint8_t* target, int targetStride,
                       int targetWidth, int targetHeight);
    void enlargeOddChroma(const std::uint8_t* plane, int stride, std::uint8_t* target, int targetStride);

    int width;
    int height;
    int factor;
    // Enlarged rows, each with room for its last store to go past the end.
    std::array<std::vector<std::uint8_t>, 3> rows;
};
