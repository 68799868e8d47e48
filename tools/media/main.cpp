// The asset build: turns the readable sources under tools/ into the game's pictures and sounds.
//
//   media_maker picture SOURCE OUT.PNG     a pixel-art grid with its palette
//   media_maker background SOURCE OUT.PNG  the painted backdrop
//   media_maker selector SOURCE OUT.PNG    the marker over the player's half
//   media_maker sound SOURCE OUT.wav       a sound effect recipe
//   media_maker music SCORE FOLDER         one music_<stem>.wav per stem of the score
//   media_maker icon SOURCE SIZE OUT.png   the desktop icon, SIZE pixels square, from a pixel-art grid
//   media_maker sheet GLYPHS IMAGES ICONS OUT  the contact sheet of every picture and icon
#include "BackgroundPainter.hpp"
#include "ContactSheet.hpp"
#include "GlyphSheet.hpp"
#include "IconPainter.hpp"
#include "PixelArt.hpp"
#include "Score.hpp"
#include "SelectorPainter.hpp"
#include "SoundRecipe.hpp"
#include "SourceText.hpp"
#include "WaveFile.hpp"

#include <iostream>
#include <stdexcept>
#include <string>

namespace
{

void save(const sf::Image& picture, const std::string& path)
{
    if (!picture.saveToFile(path))
    {
        throw std::runtime_error(path + ": cannot be written");
    }
}

unsigned iconSize(const std::string& text)
{
    std::size_t end = 0;
    unsigned long size = 0;
    try
    {
        size = std::stoul(text, &end);
    }
    catch (const std::exception&)
    {
        end = 0;
    }
    if (end == 0 || end != text.size() || size == 0 || size > 1024)
    {
        throw std::runtime_error("icon size \"" + text + "\" is not a number of pixels from 1 to 1024");
    }
    return static_cast<unsigned>(size);
}

int usage()
{
    std::cerr << "usage: media_maker picture|background|selector|sound SOURCE OUT\n"
                 "       media_maker music SCORE FOLDER\n"
                 "       media_maker icon SOURCE SIZE OUT\n"
                 "       media_maker sheet GLYPHS IMAGES_FOLDER ICONS_FOLDER OUT\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        return usage();
    }
    const std::string command = argv[1];
    try
    {
        const SourceText source(argv[2]);
        if (command == "picture" && argc == 4)
        {
            save(PixelArt(source).image(), argv[3]);
        }
        else if (command == "background" && argc == 4)
        {
            save(BackgroundPainter(source).paint(), argv[3]);
        }
        else if (command == "selector" && argc == 4)
        {
            save(SelectorPainter(source).paint(), argv[3]);
        }
        else if (command == "sound" && argc == 4)
        {
            writeWave(argv[3], SoundRecipe(source).render());
        }
        else if (command == "music" && argc == 4)
        {
            const Score score(source);
            for (const auto& stem : score.render())
            {
                writeWave(std::string(argv[3]) + "/music_" + stem.first + ".wav", stem.second);
            }
        }
        else if (command == "icon" && argc == 5)
        {
            const PixelArt art(source);
            save(IconPainter(art).paint(iconSize(argv[3])), argv[4]);
        }
        else if (command == "sheet" && argc == 6)
        {
            const GlyphSheet glyphs(source);
            save(ContactSheet(glyphs, argv[3], argv[4]).compose(), argv[5]);
        }
        else
        {
            return usage();
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << "media_maker: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
