#include "game/StreamedTrack.hpp"

#include "assets/ScratchFolder.hpp"

#include <SFML/System/Err.hpp>

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
