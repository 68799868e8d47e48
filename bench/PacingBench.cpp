// The whole game as a player runs it, in a process of its own, unpaced (max_fps = -1) and with its own pacing
// (max_fps = 0): the processor time it takes for each second of play, all of its threads together (the game's, the
// music's, the sound's and the OpenGL driver's), and the intervals of its frames, read from the game it keeps. Runs
// the game built beside the benchmarks, on their display and audio output; the player's own folders are not
// touched.
#include "app/DisplayConnection.hpp"
#include "app/FramePacer.hpp"
#include "replay/KeptGames.hpp"
#include "replay/Recording.hpp"

#include <SFML/Window/Window.hpp>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

// Frames from this far into the game on are paced; the first second is measured, and the first frame holds the set-up.
constexpr double PacedAfter = 1.5;

struct GameRun
{
    int status = -1;
    double processorSeconds = 0.;
    std::vector<double> frameTimes; // seconds, as the game kept them
};

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> list;
    list.reserve(strings.size() + 1);
    for (std::string& text : strings)
        list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}

GameRun playGame(int maxFps, const fs::path& folder)
{
    const fs::path settings = folder / "settings.toml";
    std::ofstream(settings) << "[display]\nmax_fps = " << maxFps << "\n";
    const fs::path state = folder / "state";
    std::vector<std::string> environment{"XDG_STATE_HOME=" + state.string()};
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (std::strncmp(*variable, "XDG_STATE_HOME=", 15) != 0)
            environment.emplace_back(*variable);
    const std::string game = BRINDLEWICK_BINARY_DIR "/brindlewick";
    std::vector<std::string> arguments{game, "--settings", settings.string(), "--data", BRINDLEWICK_BINARY_DIR};
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);
    // The game's own lines (Xvfb's "no vertical sync" among them) stay out of the table.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (folder / "game.log").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);

    GameRun run;
    pid_t child = 0;
    if (posix_spawn(&child, game.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
    {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
        run.processorSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    }
    posix_spawn_file_actions_destroy(&actions);

    const fs::path kept = KeptGames(state / "brindlewick" / "games").newest();
    std::ifstream in(kept);
    if (run.status == 0 && in)
        for (const RecordedFrame& frame : readRecording(in, kept.string()).frames)
            run.frameTimes.push_back(frame.frameTime.asSeconds());
    return run;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// The interval the game paces at on this display, from its refresh rate where the window would be.
double displayIntervalMicroseconds()
{
    const DisplayConnection display;
    const sf::Window probe(sf::VideoMode(64, 64), "bench");
    return static_cast<double>(FramePacer::intervalFor(display.refreshRate(probe)).asMicroseconds());
}

void benchGameProcess(benchmark::State& state)
{
    const int maxFps = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / ("brindlewick-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    GameRun run;
    for (auto _ : state)
        run = playGame(maxFps, folder);
    fs::remove_all(folder);
    if (run.status != 0 || run.frameTimes.size() < 2)
    {
        state.SkipWithError("the game did not play to its end");
        return;
    }

    const double play = std::accumulate(run.frameTimes.begin(), run.frameTimes.end(), 0.);
    state.counters["play_s"] = play;
    state.counters["cores"] = run.processorSeconds / play;
    state.counters["fps"] = static_cast<double>(run.frameTimes.size()) / play;
    std::vector<double> paced;
    double clock = 0.;
    for (const double frame : run.frameTimes)
    {
        clock += frame;
        if (clock > PacedAfter)
            paced.push_back(frame * 1e6);
    }
    state.counters["interval_p50_us"] = percentile(paced, 0.5);
    state.counters["interval_p99_us"] = percentile(paced, 0.99);
    state.counters["display_interval_us"] = displayIntervalMicroseconds();
}

} // namespace

BENCHMARK(benchGameProcess)->Arg(-1)->Arg(0)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
