#pragma once

#include <cstdint>
#include <vector>

// Enlarges full planes (a Y, U and V value for every picture pixel) by a whole factor into 4:2:0 planes: every
// picture pixel a sharp block of luma, each chroma value the mean of the picture pixels under its 2x2 luma square.
// The colour conversion then runs on the small picture, a ninth of the pixels at the game's factor. Which picture
// pixels each output value takes depends only on the sizes, so the tables and the working rows are made once, not
// for every video frame.
class PictureEnlarger
{
public:
    PictureEnlarger(int width, int height, int factor);

    void enlarge(const std::uint8_t* const source[3], const int sourceStride[3], std::uint8_t* const target[3],
                 const int targetStride[3]);

private:
    int width;
    int height;
    int factor;
    std::vector<int> column;
    std::vector<int> left;
    std::vector<int> right;
    std::vector<std::uint16_t> sums;
};
