#pragma once

#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A fresh temporary folder that is the working directory while the object lives, so tests can lay out their own
// resources/ tree without touching the build folder's. The old working directory comes back and the folder goes.
class ScratchFolder
{
public:
    ScratchFolder()
        : previous(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "brindlewick-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        path = pattern;
        std::filesystem::current_path(path);
    }

    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::remove_all(path, ignored);
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes a picture of the given size at a path relative to the folder, making the folders on the way.
    static void writePicture(const std::string& file, unsigned width, unsigned height)
    {
        makeParent(file);
        sf::Image image;
        image.create(width, height, sf::Color(200, 40, 90));
        ASSERT_TRUE(image.saveToFile(file));
    }

    // Writes a mono 16-bit WAV with the given number of samples.
    static void writeSound(const std::string& file, std::size_t sampleCount, unsigned sampleRate = 22050)
    {
        makeParent(file);
        sf::OutputSoundFile out;
        ASSERT_TRUE(out.openFromFile(file, sampleRate, 1));
        std::vector<sf::Int16> samples(sampleCount);
        for (std::size_t i = 0; i < sampleCount; ++i)
            samples[i] = static_cast<sf::Int16>((i % 40) * 500);
        out.write(samples.data(), samples.size());
    }

    static void makeParent(const std::string& file)
    {
        const auto parent = std::filesystem::path(file).parent_path();
        if (!parent.empty())
            std::filesystem::create_directories(parent);
    }

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};
