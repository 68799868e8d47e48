#include "clip/renderClip.hpp"

#include "app/DisplayConnection.hpp"
#include "app/Settings.hpp"
#include "app/fileProblem.hpp"
#include "clip/BackgroundSink.hpp"
#include "clip/ClipWriter.hpp"
#include "clip/GameFrameSource.hpp"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iostream>

namespace
{

// "frames done of total" on one line of a terminal, rewritten in place; nothing when stderr is a file or a pipe.
class Progress
{
public:
    explicit Progress(std::int64_t expectedFrames)
        : total(expectedFrames)
        , shown(isatty(STDERR_FILENO) == 1)
    {
    }

    void update(std::int64_t done)
    {
        if (shown && done / 30 != last / 30)
            std::cerr << "\rbrindlewick: rendering frame " << done << " of " << std::max(done, total) << std::flush;
        last = done;
    }

    void end()
    {
        if (shown)
            std::cerr << "\rbrindlewick: rendered " << last << " frames" << std::string(20, ' ') << std::endl;
    }

private:
    std::int64_t total;
    std::int64_t last = 0;
    bool shown;
};

AudioMixdown loadMixdown(const MediaFolder& media)
{
    const auto stem = [&media](const std::string& name)
    {
        // Only the base stem is needed, as in the game: a missing layer is silence.
        return name == "music_base.wav" || std::filesystem::exists(media.sound(name)) ? loadSoundData(media.sound(name))
                                                                                      : SoundData{};
    };
    return AudioMixdown({stem("music_base.wav"), stem("music_top.wav"), stem("music_bottom.wav")},
                        {loadSoundData(media.sound("dash.wav")), loadSoundData(media.sound("zoop.wav")),
                         loadSoundData(media.sound("blow.wav"))});
}

} // namespace

int renderClip(const std::string& input, const std::string& output, bool force, const MediaFolder& media)
{
    // Phase 1: everything that can be refused is refused before the slow part begins.
    std::error_code error;
    if (std::filesystem::is_directory(output, error))
    {
        std::cerr << "brindlewick: Cannot write the video \"" << output << "\": is a folder" << std::endl;
        return 2;
    }
    if (!force && std::filesystem::exists(output, error))
    {
        std::cerr << "brindlewick: \"" << output << "\" already exists; add --force to replace it" << std::endl;
        return 2;
    }
    errno = 0;
    if (!std::ifstream(input) || std::filesystem::is_directory(input, error))
    {
        std::cerr << "brindlewick: Cannot read \"" << input << "\": " << fileProblem(input, errno) << std::endl;
        return 2;
    }
    try
    {
        // The sounds are read and mixed ready on a thread of their own while the canvas and the game are set up.
        std::future<AudioMixdown> mixing = std::async(std::launch::async, loadMixdown, std::cref(media));
        // The canvas needs OpenGL, and SFML aborts when it cannot reach a display.
        const DisplayConnection display;
        std::unique_ptr<GameFrameSource> source;
        try
        {
            source = openGameFrames(input, media);
        }
        catch (const std::exception& unreadable)
        {
            std::cerr << "brindlewick: " << unreadable.what() << std::endl;
            return 2;
        }
        AudioMixdown mixdown = mixing.get();
        ClipFormat format;
        format.width = WINDOW_WIDTH;
        format.height = WINDOW_HEIGHT;
        format.pictureScale = WINDOW_WIDTH / CANVAS_WIDTH;
        format.sampleRate = mixdown.getSampleRate();
        format.channels = mixdown.getChannels();
        ClipWriter writer(output, format);
        // The pictures are converted and encoded on a thread of their own while the game plays on.
        BackgroundSink encoding(writer, static_cast<std::size_t>(CANVAS_WIDTH) * CANVAS_HEIGHT * 4, format.channels);

        // Phase 2: the game, frame by frame.
        ClipRenderer renderer(encoding, mixdown, format.framesPerSecond);
        Progress progress(videoFramesBefore(source->getExpectedLength(), format.framesPerSecond));
        ClipFrame frame;
        while (source->next(frame))
        {
            renderer.add(frame);
            progress.update(renderer.getVideoFrames());
        }
        renderer.finish(source->getLength());
        encoding.finish();
        writer.finish();
        progress.update(renderer.getVideoFrames());
        progress.end();
        return 0;
    }
    catch (const std::exception& failure)
    {
        std::cerr << "brindlewick: " << failure.what() << std::endl;
        return 1;
    }
}
