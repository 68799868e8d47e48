#include "clip/ClipWriter.hpp"
#include "clip/ClipRenderer.hpp"
#include "clip/PictureEnlarger.hpp"

#include "app/Settings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The MP4 as a player sees it, read back with FFmpeg's command-line tools (the game itself only uses the libraries).
namespace
{

namespace fs = std::filesystem;

std::string run(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, read);
    pclose(pipe);
    return out;
}

std::string probe(const fs::path& clip, const std::string& stream, const std::string& entries)
{
    std::string value = run("ffprobe -v error -select_streams " + stream + " -show_entries " + entries +
                            " -of default=noprint_wrappers=1:nokey=1 '" + clip.string() + "'");
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    return value;
}

constexpr unsigned Rate = 44100;
constexpr double Seconds = 3.0;

// A quiet hum with a loud half-second accent of 30 ms, as the base stem's beat sounds.
SoundData accentedStem()
{
    SoundData stem;
    stem.sampleRate = Rate;
    stem.channels = 1;
    stem.samples.resize(static_cast<std::size_t>(Seconds * Rate));
    for (std::size_t i = 0; i < stem.samples.size(); ++i)
    {
        const double t = static_cast<double>(i) / Rate;
        const bool accent = std::fmod(t, 0.5) < 0.03;
        stem.samples[i] = static_cast<float>((accent ? 0.8 : 0.03) * std::sin(2.0 * M_PI * 440.0 * t));
    }
    return stem;
}

// The colour of game frame n, different for every frame.
sf::Color colourOf(int n)
{
    return sf::Color(static_cast<sf::Uint8>(40 + (n * 37) % 200), static_cast<sf::Uint8>(200 - (n * 53) % 180),
                     static_cast<sf::Uint8>((n * 91) % 256));
}

struct RenderedClip
{
    fs::path folder = fs::temp_directory_path() / ("brindlewick-clip-" + std::to_string(::getpid()));
    fs::path clip = folder / "clip.mp4";
    sf::Time length;

    // A game at 50 uneven frames a second: each canvas one flat colour with a white square that moves.
    RenderedClip()
    {
        fs::create_directories(folder);
        AudioMixdown mixdown({accentedStem(), {}, {}}, {});
        ClipFormat format;
        ClipWriter writer(clip.string(), format);
        ClipRenderer renderer(writer, mixdown);
        std::vector<sf::Uint8> canvas(static_cast<std::size_t>(CANVAS_WIDTH) * CANVAS_HEIGHT * 4);
        int n = 0;
        double clock = 0.0;
        for (; clock < Seconds - 0.01; clock += (n % 2 == 0 ? 0.015 : 0.025), ++n)
        {
            fillCanvas(canvas, n);
            ClipFrame frame;
            frame.canvas = canvas.data();
            frame.clock = sf::microseconds(static_cast<sf::Int64>(clock * 1e6));
            renderer.add(frame);
        }
        length = sf::microseconds(static_cast<sf::Int64>(clock * 1e6));
        renderer.finish(length);
        writer.finish();
    }
    ~RenderedClip() { fs::remove_all(folder); }

    static void fillCanvas(std::vector<sf::Uint8>& canvas, int n)
    {
        const sf::Color colour = colourOf(n);
        for (int y = 0; y < CANVAS_HEIGHT; ++y)
            for (int x = 0; x < CANVAS_WIDTH; ++x)
            {
                const bool square = x >= n % 250 && x < n % 250 + 40 && y >= 80 && y < 120;
                sf::Uint8* pixel = &canvas[(static_cast<std::size_t>(y) * CANVAS_WIDTH + x) * 4];
                pixel[0] = square ? 255 : colour.r;
                pixel[1] = square ? 255 : colour.g;
                pixel[2] = square ? 255 : colour.b;
                pixel[3] = 255;
            }
    }
};

// One clip serves every test here: encoding it is the slow part.
class ClipWriterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { clip = new RenderedClip; }
    static void TearDownTestSuite()
    {
        delete clip;
        clip = nullptr;
    }
    static RenderedClip* clip;
};

RenderedClip* ClipWriterTest::clip = nullptr;

} // namespace

TEST_F(ClipWriterTest, WritesAnH264AndAacMp4ThatBrowsersPlay)
{
    const RenderedClip& rendered = *clip;
    const fs::path& mp4 = rendered.clip;
    ASSERT_TRUE(fs::exists(mp4));
    EXPECT_EQ(probe(mp4, "v:0", "stream=codec_name"), "h264");
    const std::string profile = probe(mp4, "v:0", "stream=profile");
    EXPECT_TRUE(profile == "Constrained Baseline" || profile == "Main" || profile == "High") << profile;
    EXPECT_LE(std::stoi(probe(mp4, "v:0", "stream=level")), 42);
    EXPECT_EQ(probe(mp4, "v:0", "stream=pix_fmt"), "yuv420p");
    EXPECT_EQ(probe(mp4, "v:0", "stream=width,height"), "900\n600");
    EXPECT_EQ(probe(mp4, "v:0", "stream=r_frame_rate"), "60/1");
    EXPECT_EQ(probe(mp4, "v:0", "stream=avg_frame_rate"), "60/1");
    EXPECT_EQ(probe(mp4, "a:0", "stream=codec_name"), "aac");
    EXPECT_EQ(probe(mp4, "a:0", "stream=sample_rate"), "44100");
    EXPECT_EQ(probe(mp4, "a:0", "stream=channels"), "1");

    // Both streams last the game's length, within one video frame.
    const double game = rendered.length.asSeconds();
    for (const char* stream : {"v:0", "a:0"})
    {
        const double duration = std::stod(probe(mp4, stream, "stream=duration"));
        EXPECT_NEAR(duration, game, 1.0 / 60) << stream;
    }
    const int frames = std::stoi(probe(mp4, "v:0", "stream=nb_frames"));
    EXPECT_NEAR(frames, game * 60, 1.0);

    // The index sits in front of the media data, so that playing can start while the file arrives.
    std::ifstream file(mp4, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_NE(bytes.find("moov"), std::string::npos);
    EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
}

TEST_F(ClipWriterTest, TheSoundKeepsTheBeatAndThePictureItsPixels)
{
    const RenderedClip& rendered = *clip;
    const fs::path wav = rendered.folder / "sound.raw";
    run("ffmpeg -v error -y -i '" + rendered.clip.string() + "' -f f32le -ac 1 -ar 44100 '" + wav.string() + "'");
    std::ifstream file(wav, std::ios::binary);
    std::vector<float> sound;
    char bytes[sizeof(float)];
    while (file.read(bytes, sizeof bytes))
    {
        float sample = 0.f;
        std::memcpy(&sample, bytes, sizeof sample);
        sound.push_back(sample);
    }
    ASSERT_GT(sound.size(), static_cast<std::size_t>(2.5 * Rate));

    // Every accent begins where the music has it, within 2 ms.
    for (int beat = 1; beat * 0.5 < rendered.length.asSeconds() - 0.1; ++beat)
    {
        const auto from = static_cast<std::size_t>((beat * 0.5 - 0.1) * Rate);
        std::size_t onset = from;
        while (onset < sound.size() && std::fabs(sound[onset]) < 0.4f)
            ++onset;
        EXPECT_NEAR(static_cast<double>(onset) / Rate, beat * 0.5, 0.002) << "accent " << beat;
    }

    // A video frame from the middle shows the game frame of its time: frame 60 (1 s) shows the game frame at
    // 1.000 s, the 50th, each canvas pixel a 3x3 block.
    const fs::path still = rendered.folder / "still.rgb";
    run("ffmpeg -v error -y -i '" + rendered.clip.string() +
        "' -vf \"select=eq(n\\,60)\" -vframes 1 -f rawvideo -pix_fmt rgb24 '" + still.string() + "'");
    std::ifstream stillFile(still, std::ios::binary);
    const std::string pixels((std::istreambuf_iterator<char>(stillFile)), std::istreambuf_iterator<char>());
    ASSERT_EQ(pixels.size(), 900u * 600u * 3u);
    std::vector<sf::Uint8> canvas(static_cast<std::size_t>(CANVAS_WIDTH) * CANVAS_HEIGHT * 4);
    RenderedClip::fillCanvas(canvas, 50);
    int worst = 0;
    double total = 0.0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 900; ++x)
            for (int c = 0; c < 3; ++c)
            {
                const int expected = canvas[(static_cast<std::size_t>(y / 3) * CANVAS_WIDTH + x / 3) * 4 + c];
                const int got = static_cast<unsigned char>(pixels[(static_cast<std::size_t>(y) * 900 + x) * 3 + c]);
                worst = std::max(worst, std::abs(expected - got));
                total += std::abs(expected - got);
            }
    EXPECT_LT(total / (900.0 * 600.0 * 3.0), 3.0);
    // Colour subsampling blurs the square's edges a little; nothing else may be far off.
    EXPECT_LT(worst, 160);
}

TEST(ClipWriter, EnlargesThePictureIntoSharpLumaAndMeanChroma)
{
    // A 2x2 picture three times enlarged is 6x6 luma and 3x3 chroma. Chroma column 1 covers luma columns 2 and 3,
    // which belong to picture columns 0 and 1; columns 0 and 2 lie within one picture column each.
    const std::uint8_t y[] = {10, 20, 30, 40};
    const std::uint8_t u[] = {0, 100, 200, 40};
    const std::uint8_t v[] = {8, 8, 8, 8};
    const std::uint8_t* const source[] = {y, u, v};
    const int sourceStride[] = {2, 2, 2};
    std::vector<std::uint8_t> luma(std::size_t{7} * 6, 0);
    std::vector<std::uint8_t> blue(std::size_t{4} * 3, 0);
    std::vector<std::uint8_t> red(std::size_t{4} * 3, 0);
    std::uint8_t* const target[] = {luma.data(), blue.data(), red.data()};
    // Strides wider than the rows, as FFmpeg's frames have; the padding is left alone.
    const int targetStride[] = {7, 4, 4};
    PictureEnlarger(2, 2, 3).enlarge(source, sourceStride, target, targetStride);

    for (int row = 0; row < 6; ++row)
    {
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(luma[static_cast<std::size_t>(row * 7 + column)], y[(row / 3) * 2 + column / 3])
                << column << "," << row;
        EXPECT_EQ(luma[static_cast<std::size_t>(row * 7 + 6)], 0) << "padding of row " << row;
    }
    const std::vector<std::uint8_t> expectedBlue{0, 50, 100, 0, 100, 85, 70, 0, 200, 120, 40, 0};
    EXPECT_EQ(blue, expectedBlue);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(red[static_cast<std::size_t>(row * 4 + column)], 8);
}

TEST(ClipWriter, EnlargesEveryFactorAndSizeAsTheMeanUnderEachSquare)
{
    // Against the definition, value by value: odd and even factors, odd and even sizes, strides with padding.
    std::uint32_t seed = 7;
    const auto next = [&seed] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16); };
    for (int factor = 1; factor <= PictureEnlarger::MostFactor; ++factor)
        for (const auto& size : {std::pair{1, 1}, {2, 3}, {5, 2}, {7, 5}})
        {
            const int width = size.first;
            const int height = size.second;
            SCOPED_TRACE("factor " + std::to_string(factor) + ", " + std::to_string(width) + "x" +
                         std::to_string(height));
            std::vector<std::uint8_t> planes[3];
            for (auto& plane : planes)
                for (int i = 0; i < width * height; ++i)
                    plane.push_back(next());
            const int lumaWidth = width * factor;
            const int lumaHeight = height * factor;
            const int chromaWidth = (lumaWidth + 1) / 2;
            const int chromaHeight = (lumaHeight + 1) / 2;
            const int stride[] = {lumaWidth + 5, chromaWidth + 3, chromaWidth + 3};
            const auto at = [](int rowLength, int x, int y)
            { return static_cast<std::size_t>(y) * static_cast<std::size_t>(rowLength) + static_cast<std::size_t>(x); };
            std::vector<std::uint8_t> out[3];
            for (int p = 0; p < 3; ++p)
                out[p].assign(at(stride[p], 0, p ? chromaHeight : lumaHeight), 0);
            const std::uint8_t* const source[] = {planes[0].data(), planes[1].data(), planes[2].data()};
            const int sourceStride[] = {width, width, width};
            std::uint8_t* const target[] = {out[0].data(), out[1].data(), out[2].data()};
            PictureEnlarger(width, height, factor).enlarge(source, sourceStride, target, stride);

            const auto pixel = [&](int plane, int lumaX, int lumaY) {
                return planes[plane][at(width, std::min(lumaX, lumaWidth - 1) / factor,
                                        std::min(lumaY, lumaHeight - 1) / factor)];
            };
            int wrong = 0;
            for (int y = 0; y < lumaHeight; ++y)
                for (int x = 0; x < stride[0]; ++x)
                    wrong += out[0][at(stride[0], x, y)] != (x < lumaWidth ? pixel(0, x, y) : 0);
            for (int p = 1; p < 3; ++p)
                for (int y = 0; y < chromaHeight; ++y)
                    for (int x = 0; x < stride[p]; ++x)
                    {
                        const int sum = pixel(p, 2 * x, 2 * y) + pixel(p, 2 * x + 1, 2 * y) +
                                        pixel(p, 2 * x, 2 * y + 1) + pixel(p, 2 * x + 1, 2 * y + 1);
                        wrong += out[p][at(stride[p], x, y)] != (x < chromaWidth ? (sum + 2) / 4 : 0);
                    }
            EXPECT_EQ(wrong, 0) << "values differ, or padding was written";
        }
    EXPECT_THROW(PictureEnlarger(4, 4, PictureEnlarger::MostFactor + 1), std::invalid_argument);
}
