#include "assets/Assets.hpp"
#include "assets/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{

// Without a sound card OpenAL Soft complains on every buffer; its null output keeps these tests quiet.
class SoundAssets : public ::testing::Test
{
protected:
    void SetUp() override { setenv("ALSOFT_DRIVERS", "null", 0); }

    ScratchFolder folder;
    kit::MultiResourceCache cache;
    const MediaFolder media;
};

std::string messageOf(const std::function<void()>& load)
{
    try
    {
        load();
    }
    catch (const kit::ResourceLoadingException& e)
    {
        return e.what();
    }
    return "(no exception)";
}

// A font file from the system, standing in for the game's own; empty when there is none.
std::filesystem::path anySystemFont()
{
    for (const char* candidate :
         {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/truetype/noto/NotoMono-Regular.ttf",
          "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"})
    {
        if (std::filesystem::exists(candidate))
            return candidate;
    }
    return {};
}

} // namespace

TEST_F(SoundAssets, nameResolvesToTheWavInTheSoundsFolder)
{
    ScratchFolder::writeSound("resources/sounds/dash.wav", 300);
    // Decoys that a looser naming would pick up instead.
    ScratchFolder::writeSound("resources/dash.wav", 100);
    ScratchFolder::writeSound("resources/sounds/dash.WAV.wav", 200);

    const auto dash = loadSoundBuffer(cache, media, "dash");

    EXPECT_EQ(dash->getSampleCount(), 300u);
}

TEST_F(SoundAssets, sameNameTwiceIsOneBufferReadOnce)
{
    ScratchFolder::writeSound("resources/sounds/zoop.wav", 120);
    const auto first = loadSoundBuffer(cache, media, "zoop");

    // Gone from disk, still served from the cache: the file was not read again.
    std::filesystem::remove("resources/sounds/zoop.wav");
    const auto second = loadSoundBuffer(cache, media, "zoop");

    EXPECT_EQ(first, second);
}

TEST_F(SoundAssets, missingOrMisnamedSoundRaisesTheLoadingExceptionWithItsPath)
{
    ScratchFolder::writeSound("resources/sounds/blow.wav", 50);

    const std::string missing = messageOf([&] { loadSoundBuffer(cache, media, "dash"); });
    EXPECT_EQ(missing.rfind("Failed to load resource \"", 0), 0u) << missing;
    EXPECT_NE(missing.find("resources/sounds/dash.wav"), std::string::npos) << missing;

    // Names are used as given: not case-folded, not trimmed.
    EXPECT_NE(messageOf([&] { loadSoundBuffer(cache, media, "BLOW"); }).find("resources/sounds/BLOW.wav"),
              std::string::npos);
    EXPECT_NE(messageOf([&] { loadSoundBuffer(cache, media, "blow "); }).find("resources/sounds/blow .wav"),
              std::string::npos);
    EXPECT_EQ(loadSoundBuffer(cache, media, "blow")->getSampleCount(), 50u);
}

TEST(FontAsset, loadsTheFontFileOnceAndNamesItWhenMissing)
{
    ScratchFolder folder;
    kit::MultiResourceCache cache;
    const MediaFolder media;

    const std::string missing = messageOf([&] { loadFont(cache, media); });
    EXPECT_NE(missing.find("resources/FreePixel.ttf"), std::string::npos) << missing;

    const auto systemFont = anySystemFont();
    if (systemFont.empty())
        GTEST_SKIP() << "no system font to stand in for the game's";
    std::filesystem::create_directories("resources");
    std::filesystem::copy_file(systemFont, "resources/FreePixel.ttf");

    const auto font = loadFont(cache, media);
    EXPECT_FALSE(font->getInfo().family.empty());
    std::filesystem::remove("resources/FreePixel.ttf");
    EXPECT_EQ(loadFont(cache, media), font);
}

TEST(FontAsset, aFontFileCutShortIsRefusedThoughFreeTypeWouldOpenIt)
{
    ScratchFolder folder;
    kit::MultiResourceCache cache;
    const MediaFolder media;
    const std::filesystem::path gameFont = BRINDLEWICK_BUILD_DIR "/resources/FreePixel.ttf";
    const auto whole = std::filesystem::file_size(gameFont);
    std::filesystem::create_directories("resources");

    // Half of it keeps the table directory and loses the glyph outlines; four bytes less (more than the padding
    // after the last table) lose the end of that table. Both would open, and every text would draw as nothing.
    for (const auto size : {whole / 2, whole - 4})
    {
        std::filesystem::copy_file(gameFont, "resources/FreePixel.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::resize_file("resources/FreePixel.ttf", size);
        try
        {
            loadFont(cache, media);
            ADD_FAILURE() << "a font cut to " << size << " of " << whole << " bytes was accepted";
        }
        catch (const kit::ResourceLoadingException& e)
        {
            EXPECT_NE(std::string(e.what()).find("resources/FreePixel.ttf"), std::string::npos) << e.what();
            EXPECT_NE(e.getReason().find("cut short"), std::string::npos) << e.getReason();
        }
    }

    std::filesystem::copy_file(gameFont, "resources/FreePixel.ttf", std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(loadFont(cache, media)->getInfo().family, "Brindlewick Pixel");
}
