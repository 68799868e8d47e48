#include "clip/PictureEnlarger.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>

namespace
{

// Runs are stored eight bytes at a time, so that a run takes one store whatever its length; the working rows leave
// room behind their end, and the next store overwrites what went past this one.
constexpr int StoreBytes = 8;

void storeWord(std::uint8_t* out, std::uint64_t word)
{
    std::memcpy(out, &word, sizeof word);
}

// `count` bytes of 1, as a factor that repeats a byte.
std::uint64_t repeater(int count)
{
    std::uint64_t ones = 0;
    for (int i = 0; i < count; ++i)
        ones = ones << 8 | 1u;
    return ones;
}

// The mean of four picture pixels given as two sums of two, rounded.
std::uint64_t meanOfFour(unsigned firstPair, unsigned secondPair)
{
    return (firstPair + secondPair + 2) / 4;
}

} // namespace

PictureEnlarger::PictureEnlarger(int pictureWidth, int pictureHeight, int scale)
    : width(pictureWidth)
    , height(pictureHeight)
    , factor(scale)
{
    if (scale < 1 || scale > MostFactor)
        throw std::invalid_argument("An enlarging factor of " + std::to_string(scale) + " is not from 1 to " +
                                    std::to_string(MostFactor));
    // A pair of picture columns makes at most `factor` values of a row.
    const std::size_t rowBytes = static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(factor) + StoreBytes;
    for (auto& row : rows)
        row.resize(rowBytes);
}

void PictureEnlarger::enlarge(const std::uint8_t* const source[3], const int sourceStride[3],
                              std::uint8_t* const target[3], const int targetStride[3])
{
    const int lumaWidth = width * factor;
    const int lumaHeight = height * factor;
    enlargeBlocks(source[0], sourceStride[0], factor, target[0], targetStride[0], lumaWidth, lumaHeight);
    for (int plane = 1; plane < 3; ++plane)
    {
        // With an even factor both luma rows and columns of a chroma value lie in one picture pixel, so chroma is
        // the picture enlarged by half the factor.
        if (factor % 2 == 0)
            enlargeBlocks(source[plane], sourceStride[plane], factor / 2, target[plane], targetStride[plane],
                          lumaWidth / 2, lumaHeight / 2);
        else
            enlargeOddChroma(source[plane], sourceStride[plane], target[plane], targetStride[plane]);
    }
}

void PictureEnlarger::enlargeBlocks(const std::uint8_t* plane, int stride, int scale, std::uint8_t* target,
                                    int targetStride, int targetWidth, int targetHeight)
{
    // Read once into locals: the stores through byte pointers may alias anything.
    const int pictureWidth = width;
    const std::uint64_t run = repeater(scale);
    std::uint8_t* const row = rows[0].data();
    for (int y = 0; y < height; ++y)
    {
        const std::uint8_t* in = plane + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < pictureWidth; ++x)
            storeWord(row + static_cast<std::ptrdiff_t>(x) * scale, in[x] * run);
        for (int i = y * scale; i < std::min((y + 1) * scale, targetHeight); ++i)
            std::memcpy(target + static_cast<std::ptrdiff_t>(i) * targetStride, row, targetWidth);
    }
}

void PictureEnlarger::enlargeOddChroma(const std::uint8_t* plane, int stride, std::uint8_t* target, int targetStride)
{
    // Each 2x2 picture pixels lie under `factor` x `factor` chroma values. Of those, the first half of the rows take
    // the upper picture row, the middle row both, the last half the lower one; and so for the columns. A picture
    // of odd width or height ends in a single column or row, which stands for both of its pair.
    const int pictureWidth = width;
    const int pictureHeight = height;
    const int scale = factor;
    const int half = (scale - 1) / 2;
    const std::uint64_t run = repeater(half);
    const int middleShift = 8 * half;
    const int rightShift = 8 * (half + 1);
    std::uint8_t* const upperRow = rows[0].data();
    std::uint8_t* const middleRow = rows[1].data();
    std::uint8_t* const lowerRow = rows[2].data();
    // Both luma rows (or columns) of a value in one picture pixel count it twice; the middle one counts each once.
    const auto values = [run, middleShift, rightShift](unsigned left, unsigned right)
    {
        return meanOfFour(left, left) * run | meanOfFour(left, right) << middleShift |
               (meanOfFour(right, right) * run) << rightShift;
    };

    const int chromaWidth = (pictureWidth * scale + 1) / 2;
    const int chromaHeight = (pictureHeight * scale + 1) / 2;
    for (int y = 0; y < pictureHeight; y += 2)
    {
        const std::uint8_t* upper = plane + static_cast<std::ptrdiff_t>(y) * stride;
        const std::uint8_t* lower = plane + static_cast<std::ptrdiff_t>(std::min(y + 1, pictureHeight - 1)) * stride;
        for (int x = 0; x < pictureWidth; x += 2)
        {
            const int next = std::min(x + 1, pictureWidth - 1);
            const unsigned a = upper[x];
            const unsigned b = upper[next];
            const unsigned c = lower[x];
            const unsigned d = lower[next];
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x / 2) * scale;
            storeWord(upperRow + at, values(2 * a, 2 * b));
            storeWord(middleRow + at, values(a + c, b + d));
            storeWord(lowerRow + at, values(2 * c, 2 * d));
        }
        const int first = y / 2 * scale;
        for (int i = 0; i < scale && first + i < chromaHeight; ++i)
        {
            const std::uint8_t* made = i < half ? upperRow : i == half ? middleRow : lowerRow;
            std::memcpy(target + static_cast<std::ptrdiff_t>(first + i) * targetStride, made, chromaWidth);
        }
    }
}
