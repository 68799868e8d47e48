#include "assets/Assets.hpp"
#include "assets/ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

// Textures need an OpenGL context, hence a display.

namespace
{

class TextureAssets : public ::testing::Test
{
protected:
    std::string failureOf(const std::string& name)
    {
        try
        {
            loadTexture(cache, media, name);
        }
        catch (const kit::ResourceLoadingException& e)
        {
            return e.what();
        }
        return "(no exception)";
    }

    ScratchFolder folder;
    kit::MultiResourceCache cache;
    const MediaFolder media;
};

} // namespace

TEST_F(TextureAssets, nameResolvesToTheUpperCasePngInTheImagesFolder)
{
    ScratchFolder::writePicture("resources/images/player.PNG", 5, 3);
    ScratchFolder::writePicture("resources/player.PNG", 1, 1);

    const auto player = loadTexture(cache, media, "player");

    EXPECT_EQ(player->getSize(), sf::Vector2u(5, 3));
}

TEST_F(TextureAssets, lowerCaseExtensionIsNotFound)
{
    ScratchFolder::writePicture("resources/images/player.png", 5, 3);

    const std::string message = failureOf("player");

    EXPECT_NE(message.find("resources/images/player.PNG"), std::string::npos) << message;
}

TEST_F(TextureAssets, sameNameTwiceIsOneTextureReadOnce)
{
    ScratchFolder::writePicture("resources/images/background.PNG", 4, 4);
    const auto first = loadTexture(cache, media, "background");

    std::filesystem::remove("resources/images/background.PNG");

    EXPECT_EQ(loadTexture(cache, media, "background"), first);
}

TEST_F(TextureAssets, missingPictureRaisesTheLoadingExceptionWithItsPath)
{
    ScratchFolder::writePicture("resources/images/player.PNG", 2, 2);

    const std::string message = failureOf("dust");

    EXPECT_EQ(message.rfind("Failed to load resource \"", 0), 0u) << message;
    EXPECT_NE(message.find("resources/images/dust.PNG"), std::string::npos) << message;
}
