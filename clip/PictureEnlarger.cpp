#include "clip/PictureEnlarger.hpp"

#include <algorithm>
#include <cstddef>

PictureEnlarger::PictureEnlarger(int pictureWidth, int pictureHeight, int scale)
    : width(pictureWidth)
    , height(pictureHeight)
    , factor(scale)
{
    const int lumaWidth = width * factor;
    column.resize(static_cast<std::size_t>(lumaWidth));
    for (int x = 0; x < lumaWidth; ++x)
        column[static_cast<std::size_t>(x)] = x / factor;

    // A 2x2 luma square covers one to four picture pixels; which ones depends only on the column and row.
    const int chromaWidth = (lumaWidth + 1) / 2;
    left.resize(static_cast<std::size_t>(chromaWidth));
    right.resize(static_cast<std::size_t>(chromaWidth));
    for (int x = 0; x < chromaWidth; ++x)
    {
        left[static_cast<std::size_t>(x)] = 2 * x / factor;
        right[static_cast<std::size_t>(x)] = std::min(2 * x + 1, lumaWidth - 1) / factor;
    }
    sums.resize(static_cast<std::size_t>(chromaWidth) * static_cast<std::size_t>(height));
}

void PictureEnlarger::enlarge(const std::uint8_t* const source[3], const int sourceStride[3],
                              std::uint8_t* const target[3], const int targetStride[3])
{
    const int lumaWidth = width * factor;
    const int lumaHeight = height * factor;

    // Luma: each row of blocks is made once, through the table of which picture column each column shows, and
    // copied for the block's other rows.
    for (int y = 0; y < height; ++y)
    {
        const std::uint8_t* in = source[0] + static_cast<std::ptrdiff_t>(y) * sourceStride[0];
        std::uint8_t* row = target[0] + static_cast<std::ptrdiff_t>(y) * factor * targetStride[0];
        for (int x = 0; x < lumaWidth; ++x)
            row[x] = in[column[static_cast<std::size_t>(x)]];
        for (int i = 1; i < factor; ++i)
            std::copy_n(row, lumaWidth, row + static_cast<std::ptrdiff_t>(i) * targetStride[0]);
    }

    // Chroma: each picture row's pairs are summed once; every chroma row then adds the sums of the one or two
    // picture rows under it.
    const int chromaWidth = (lumaWidth + 1) / 2;
    const int chromaHeight = (lumaHeight + 1) / 2;
    for (int plane = 1; plane < 3; ++plane)
    {
        for (int y = 0; y < height; ++y)
        {
            const std::uint8_t* in = source[plane] + static_cast<std::ptrdiff_t>(y) * sourceStride[plane];
            std::uint16_t* sum = &sums[static_cast<std::size_t>(y) * static_cast<std::size_t>(chromaWidth)];
            for (int x = 0; x < chromaWidth; ++x)
                sum[x] = static_cast<std::uint16_t>(in[left[static_cast<std::size_t>(x)]] +
                                                    in[right[static_cast<std::size_t>(x)]]);
        }
        for (int y = 0; y < chromaHeight; ++y)
        {
            const auto upperRow = static_cast<std::size_t>(2 * y / factor);
            const auto lowerRow = static_cast<std::size_t>(std::min(2 * y + 1, lumaHeight - 1) / factor);
            const std::uint16_t* upper = &sums[upperRow * static_cast<std::size_t>(chromaWidth)];
            const std::uint16_t* lower = &sums[lowerRow * static_cast<std::size_t>(chromaWidth)];
            std::uint8_t* out = target[plane] + static_cast<std::ptrdiff_t>(y) * targetStride[plane];
            for (int x = 0; x < chromaWidth; ++x)
                out[x] = static_cast<std::uint8_t>((upper[x] + lower[x] + 2) / 4);
        }
    }
}
