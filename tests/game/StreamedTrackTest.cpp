#include "game/StreamedTrack.hpp"

#include "assets/ScratchFolder.hpp"

#include <SFML/System/Err.hpp>
#include <SFML/System/MemoryInputStream.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

class StreamedTrackTest : public ::testing::Test
{
protected:
    // Without a sound card OpenAL Soft cannot open a device; its null output plays silently in real time.
    void SetUp() override { setenv("ALSOFT_DRIVERS", "null", 0); }

    // A stem of half a second, as the game's are written: mono 16-bit.
    static void writeStem(const std::string& path) { ScratchFolder::writeSound(path, 22050 / 2); }

    static void cutTo(const std::string& path, std::uintmax_t size) { std::filesystem::resize_file(path, size); }

    ScratchFolder folder;
};

} // namespace

TEST_F(StreamedTrackTest, AWholeStemOpensAndPlays)
{
    writeStem("stem.wav");
    StreamedTrack stem;
    ASSERT_TRUE(stem.openFromFile("stem.wav")) << stem.getFault();
    EXPECT_TRUE(stem.getFault().empty());
    EXPECT_EQ(stem.getDuration(), sf::milliseconds(500));
    stem.play();
    EXPECT_EQ(stem.getStatus(), sf::SoundSource::Playing);
}

TEST_F(StreamedTrackTest, AStemCutShortIsRefusedThoughItsHeaderIsWhole)
{
    // Cut in half, and cut by just its last byte: either would end the game early if it were played.
    writeStem("stem.wav");
    const std::uintmax_t whole = std::filesystem::file_size("stem.wav");
    for (const std::uintmax_t size : {whole / 2, whole - 1})
    {
        writeStem("stem.wav");
        cutTo("stem.wav", size);
        std::ostringstream said;
        std::streambuf* const previous = sf::err().rdbuf(said.rdbuf());
        StreamedTrack stem;
        const bool opened = stem.openFromFile("stem.wav");
        stem.play();
        sf::err().rdbuf(previous);

        EXPECT_FALSE(opened) << "cut to " << size << " of " << whole << " bytes";
        EXPECT_NE(stem.getFault().find("cut short"), std::string::npos) << stem.getFault();
        EXPECT_EQ(stem.getStatus(), sf::SoundSource::Stopped);
        EXPECT_EQ(said.str(), "") << "the fault is the caller's to report, once";
    }
}

TEST_F(StreamedTrackTest, AMissingOrForeignStemIsRefusedWithSfmlsReasonOnOneLine)
{
    std::ofstream("text.wav") << "not a sound\n";
    for (const char* path : {"missing.wav", "text.wav"})
    {
        StreamedTrack stem;
        EXPECT_FALSE(stem.openFromFile(path));
        EXPECT_NE(stem.getFault().find(path), std::string::npos) << stem.getFault();
        EXPECT_EQ(stem.getFault().find('\n'), std::string::npos) << stem.getFault();
        stem.play();
        EXPECT_EQ(stem.getStatus(), sf::SoundSource::Stopped);
    }

    // A later open that works clears the fault.
    writeStem("stem.wav");
    StreamedTrack stem;
    EXPECT_FALSE(stem.openFromFile("missing.wav"));
    EXPECT_TRUE(stem.openFromFile("stem.wav"));
    EXPECT_TRUE(stem.getFault().empty());
}

TEST_F(StreamedTrackTest, StemsStartedInTwoHalvesStartTogetherAtTheVolumesTheyHadBefore)
{
    // The set-up between the halves runs with the stems muted; a stem that did not open does not hold the others.
    writeStem("stem.wav");
    StreamedTrack loud;
    StreamedTrack quiet;
    StreamedTrack missing;
    ASSERT_TRUE(loud.openFromFile("stem.wav"));
    // Each stem is read whole when opened, so reopening one with another file plays the new one.
    ScratchFolder::writeSound("long.wav", std::size_t{22050} * 2);
    ASSERT_TRUE(quiet.openFromFile("stem.wav"));
    ASSERT_TRUE(quiet.openFromFile("long.wav"));
    missing.openFromFile("missing.wav");
    loud.setVolume(80.f);
    quiet.setVolume(20.f);

    StreamedTrack::startTogether({&loud, &quiet, &missing});
    EXPECT_EQ(loud.getVolume(), 0.f);
    EXPECT_EQ(quiet.getVolume(), 0.f);
    StreamedTrack::finishTogether({&loud, &quiet, &missing});

    EXPECT_EQ(loud.getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(quiet.getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(missing.getStatus(), sf::SoundSource::Stopped);
    EXPECT_FLOAT_EQ(loud.getVolume(), 80.f);
    EXPECT_FLOAT_EQ(quiet.getVolume(), 20.f);
    EXPECT_EQ(quiet.getDuration(), sf::seconds(2.f));
}

namespace
{

// A wave file's bytes: the RIFF header, the given chunks, and a sound chunk declaring dataLength bytes of which
// only heldLength follow.
std::string waveBytes(const std::string& chunksBefore, sf::Uint32 dataLength, sf::Uint32 heldLength)
{
    const auto le32 = [](sf::Uint32 value)
    {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
        return bytes;
    };
    const std::string body = "WAVE" + chunksBefore + "data" + le32(dataLength) + std::string(heldLength, '\0');
    return "RIFF" + le32(static_cast<sf::Uint32>(body.size())) + body;
}

WaveCheck check(const std::string& bytes)
{
    sf::MemoryInputStream stream;
    stream.open(bytes.data(), bytes.size());
    return checkWaveLength(stream);
}

} // namespace

TEST(WaveLengthCheck, ComparesTheSoundChunksLengthWithWhatTheFileHolds)
{
    // Chunks of odd length are padded to an even one before the next begins.
    const std::string oddChunk = std::string("LIST") + '\x03' + std::string(3, '\0') + "abc" + '\0';
    EXPECT_EQ(check(waveBytes("", 100, 100)), WaveCheck::Whole);
    EXPECT_EQ(check(waveBytes(oddChunk, 100, 100)), WaveCheck::Whole);
    EXPECT_EQ(check(waveBytes(oddChunk, 100, 100) + "LIST"), WaveCheck::Whole) << "more after the sound is fine";
    EXPECT_EQ(check(waveBytes(oddChunk, 100, 99)), WaveCheck::CutShort);
    EXPECT_EQ(check(waveBytes("", 0xffffffffu, 100)), WaveCheck::CutShort);
    // Cut before the sound chunk begins.
    EXPECT_EQ(check(waveBytes(oddChunk, 100, 0).substr(0, 20)), WaveCheck::CutShort);

    EXPECT_EQ(check(""), WaveCheck::NotWave);
    EXPECT_EQ(check("OggS and the rest of a foreign file"), WaveCheck::NotWave);
}
