// A whole scripted game's frame times, and the set-up from the window to the first game frame. Both use the
// game's media, a window and the audio device: run under xvfb-run, with ALSOFT_DRIVERS=null without a sound card.
#include "BenchRound.hpp"

#include "app/Settings.hpp"
#include "app/createWindow.hpp"
#include "app/reserveWorkingMemory.hpp"
#include "assets/MediaFolder.hpp"
#include "game/StreamedTrack.hpp"
#include "settings/SettingsFile.hpp"
#include "world/SoundEffect.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void report(benchmark::State& state, const char* name, const std::vector<double>& frames)
{
    const double median = percentile(frames, 0.5);
    state.counters[std::string(name) + "_p50_us"] = median;
    state.counters[std::string(name) + "_p99_us"] = percentile(frames, 0.99);
    const auto largest = std::max_element(frames.begin(), frames.end());
    state.counters[std::string(name) + "_max_us"] = *largest;
    // Which frame it was (the first counted is frame 1), to tell a first use from the machine's other work.
    state.counters[std::string(name) + "_max_at"] = static_cast<double>(largest - frames.begin() + 1);
    // How many frames miss the goal, which the machine's other work alone can make more than one.
    state.counters[std::string(name) + "_over_2x"] = static_cast<double>(
        std::count_if(frames.begin(), frames.end(), [median](double frame) { return frame > 2. * median; }));
}

// Each frame's times, one line a frame (world, present, world_cpu, present_cpu, in microseconds), for
// scripts/bench.sh to set the runs of separate processes side by side: a first use comes back at the same frame in
// every run, while the machine's other work falls on different frames each time.
void writeFrameTimes(const char* path, const std::vector<std::vector<double>*>& parts)
{
    std::ofstream out(path);
    for (std::size_t frame = 0; frame < parts.front()->size(); ++frame)
    {
        for (const std::vector<double>* part : parts)
            out << (*part)[frame] << (part == parts.back() ? '\n' : ' ');
    }
}

sf::RenderWindow& gameWindow()
{
    static sf::RenderWindow window;
    if (!window.isOpen())
    {
        createWindow(window, WINDOW_WIDTH, WINDOW_HEIGHT, "bench");
        window.setVerticalSyncEnabled(false);
    }
    return window;
}

// A whole game as a player plays it: the game's sounds, the real keyboard and fourteen seconds of music.
struct WholeGame
{
    // The cache keeps the sounds' buffers for as long as it lives.
    WholeGame(kit::MultiResourceCache& cache, const MediaFolder& media)
        : dash(*loadSoundBuffer(cache, media, "dash"))
        , zoop(*loadSoundBuffer(cache, media, "zoop"))
        , blow(*loadSoundBuffer(cache, media, "blow"))
        , round(&dash, &zoop, &blow, nullptr, BenchRound::Keyboard::Real)
    {
        round.getBase().duration = sf::seconds(14.f);
        reserveWorkingMemory();
    }

    SoundEffect dash;
    SoundEffect zoop;
    SoundEffect blow;
    BenchRound round;
};

// Fourteen seconds of play with the real sounds, as a player of the game sees it: the world's frame and present
// timed apart. The first frame is left out of the figures; the worst of the others is what a player would notice.
void benchWholeGameFrames(benchmark::State& state)
{
    kit::MultiResourceCache cache;
    const MediaFolder media;
    sf::RenderWindow& window = gameWindow();
    std::vector<double> world;
    std::vector<double> shown;
    std::vector<double> whole;
    std::vector<double> worldCpu;
    std::vector<double> shownCpu;
    for (auto _ : state)
    {
        WholeGame played(cache, media);
        BenchRound& game = played.round;
        for (int frame = 0;; ++frame)
        {
            const Clock::time_point start = Clock::now();
            const double startCpu = threadMicroseconds();
            if (game.frame() != Round::Outcome::Playing)
                break;
            const double worldTime = microsecondsSince(start);
            const double presentCpu = threadMicroseconds();
            const Clock::time_point presentStart = Clock::now();
            game.getScreen().present(window);
            const double presentTime = microsecondsSince(presentStart);
            const double endCpu = threadMicroseconds();
            if (frame == 0)
                continue;
            world.push_back(worldTime);
            shown.push_back(presentTime);
            whole.push_back(worldTime + presentTime);
            worldCpu.push_back(presentCpu - startCpu);
            shownCpu.push_back(endCpu - presentCpu);
        }
    }
    if (const char* path = std::getenv("BRINDLEWICK_FRAME_TIMES"))
        writeFrameTimes(path, {&world, &shown, &worldCpu, &shownCpu});
    report(state, "world", world);
    report(state, "present", shown);
    report(state, "frame", whole);
    report(state, "world_cpu", worldCpu);
    report(state, "present_cpu", shownCpu);
    state.counters["frames"] = static_cast<double>(whole.size());
}

// The same game with every frame presented twice: as the game presents it, and with the draw list drawn one entry
// at a time, as present did before it batched. Which goes first changes from frame to frame, so that the two meet
// the same machine; the p50s of their own times are set side by side.
void benchWholeGamePresentedBothWays(benchmark::State& state)
{
    struct Presents
    {
        std::vector<double> wall;
        std::vector<double> own;
    };
    kit::MultiResourceCache cache;
    const MediaFolder media;
    sf::RenderWindow& window = gameWindow();
    Presents batched;
    Presents oneByOne;
    for (auto _ : state)
    {
        WholeGame played(cache, media);
        BenchScreen& screen = played.round.getScreen();
        for (int frame = 0; played.round.frame() == Round::Outcome::Playing; ++frame)
        {
            const bool batchedFirst = frame % 2 == 0;
            for (const bool batchedNow : {batchedFirst, !batchedFirst})
            {
                const Clock::time_point start = Clock::now();
                const double startCpu = threadMicroseconds();
                if (batchedNow)
                    screen.present(window);
                else
                    screen.presentOneByOne(window);
                Presents& times = batchedNow ? batched : oneByOne;
                times.wall.push_back(microsecondsSince(start));
                times.own.push_back(threadMicroseconds() - startCpu);
            }
        }
    }
    report(state, "present", batched.wall);
    report(state, "present_cpu", batched.own);
    report(state, "one_by_one", oneByOne.wall);
    report(state, "one_by_one_cpu", oneByOne.own);
}

// From the window's first frame to the first game frame, as the game does it: media, stems, the first frame.
// The stems' part is their opening and the wait for their start; the set-up done meanwhile goes with the first frame.
void benchSetUp(benchmark::State& state)
{
    double mediaTime = 0.;
    double stems = 0.;
    double first = 0.;
    double settingsTime = 0.;
    sf::RenderWindow& window = gameWindow();
    for (auto _ : state)
    {
        // Before the window, as main does: the settings file (the shipped one, every key of it), read and checked.
        const Clock::time_point settingsStart = Clock::now();
        std::vector<std::string> problems;
        benchmark::DoNotOptimize(readSettings(BRINDLEWICK_SOURCE_DIR "/dist/settings.example.toml", true, problems));
        settingsTime += microsecondsSince(settingsStart);
        if (!problems.empty())
            state.SkipWithError(problems.front().c_str());

        const Clock::time_point start = Clock::now();
        kit::MultiResourceCache cache;
        const MediaFolder media;
        const auto player = loadTexture(cache, media, "player");
        const auto background = loadTexture(cache, media, "background");
        const auto selector = loadTexture(cache, media, "region_selector");
        const auto timeIcon = loadTexture(cache, media, "time");
        const auto dust = loadTexture(cache, media, "dust");
        const auto dashBuffer = loadSoundBuffer(cache, media, "dash");
        const auto zoopBuffer = loadSoundBuffer(cache, media, "zoop");
        const auto blowBuffer = loadSoundBuffer(cache, media, "blow");
        const auto font = loadFont(cache, media);
        mediaTime += microsecondsSince(start);

        const Clock::time_point stemStart = Clock::now();
        StreamedTrack base;
        StreamedTrack top;
        StreamedTrack bottom;
        base.openFromFile(media.sound("music_base.wav"));
        top.openFromFile(media.sound("music_top.wav"));
        bottom.openFromFile(media.sound("music_bottom.wav"));
        StreamedTrack::startTogether({&base, &top, &bottom});
        stems += microsecondsSince(stemStart);

        // What the game does while the stems' threads start them is counted with the first frame.
        Clock::time_point firstStart = Clock::now();
        SoundEffect dash(*dashBuffer);
        SoundEffect zoop(*zoopBuffer);
        SoundEffect blow(*blowBuffer);
        prepareRoundDrawing(canvas());
        first += microsecondsSince(firstStart);

        const Clock::time_point waitStart = Clock::now();
        StreamedTrack::finishTogether({&base, &top, &bottom});
        stems += microsecondsSince(waitStart);

        firstStart = Clock::now();
        BenchScreen screen;
        kit::ActionMap& actions = screen.getActions();
        const RoundMedia roundMedia{*player, *background, *selector, *timeIcon, *dust, *font};
        const RoundSounds sounds{base, top, bottom, dash, zoop, blow};
        Round round(roundMedia, sounds, screen.getDrawList(), actions);
        reserveWorkingMemory();
        round.frame(sf::Time::Zero, [&] { actions.update(window); });
        screen.present(window);
        first += microsecondsSince(firstStart);
        screen.getDrawList().clear();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["media_ms"] = mediaTime / runs / 1000.;
    state.counters["stems_ms"] = stems / runs / 1000.;
    state.counters["first_frame_ms"] = first / runs / 1000.;
    state.counters["settings_ms"] = settingsTime / runs / 1000.;
}

// The reference for the stems' part: the check that decoded each stem in full before it was trusted.
void benchStemsDecodedInFull(benchmark::State& state)
{
    std::vector<sf::Int16> chunk(4096);
    for (auto _ : state)
        for (const char* name : {"music_base.wav", "music_top.wav", "music_bottom.wav"})
        {
            sf::InputSoundFile file;
            file.openFromFile(MediaFolder().sound(name));
            while (file.read(chunk.data(), chunk.size()) > 0)
            {
            }
        }
}

void benchStemsChecked(benchmark::State& state)
{
    for (auto _ : state)
        for (const char* name : {"music_base.wav", "music_top.wav", "music_bottom.wav"})
        {
            StreamedTrack stem;
            benchmark::DoNotOptimize(stem.openFromFile(MediaFolder().sound(name)));
        }
}

} // namespace

BENCHMARK(benchWholeGameFrames)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(benchWholeGamePresentedBothWays)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(benchSetUp)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(benchStemsDecodedInFull)->Unit(benchmark::kMillisecond);
BENCHMARK(benchStemsChecked)->Unit(benchmark::kMillisecond);
