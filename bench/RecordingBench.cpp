// What recording costs a frame: a whole scripted game's world frames with and without the recorder, which wraps
// every seam, digests the state after each frame and writes a line of each file: one file, as every game is kept,
// or two, as with --record FILE. Drawing is the same either way and is left out, so the difference is all the
// recorder's. Needs a display (textures), as the other round benches.
#include "BenchRound.hpp"

#include "replay/GameRecorder.hpp"
#include "replay/RecordingFile.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Fourteen seconds of play, as the whole-game bench plays it; the recorded run writes its file as the game would.
void benchGameFrames(benchmark::State& state)
{
    const auto fileCount = static_cast<int>(state.range(0));
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(fileCount));
    for (int i = 0; i < fileCount; ++i)
        paths.push_back(
            (std::filesystem::temp_directory_path() / ("brindlewick-bench-" + std::to_string(i) + ".rec")).string());
    double frames = 0.;
    double bytes = 0.;
    for (auto _ : state)
    {
        // The set-up and the files' closing are not the frames'.
        state.PauseTiming();
        std::vector<std::unique_ptr<RecordingFile>> files;
        std::vector<std::ostream*> streams;
        for (const std::string& path : paths)
        {
            files.push_back(std::make_unique<RecordingFile>(path));
            streams.push_back(&files.back()->getStream());
        }
        std::unique_ptr<GameRecorder> recorder;
        if (!files.empty())
            recorder = std::make_unique<GameRecorder>(streams);
        auto game = std::make_unique<BenchRound>(nullptr, nullptr, nullptr, recorder.get());
        game->getBase().duration = sf::seconds(14.f);
        state.ResumeTiming();

        Round::Outcome outcome = Round::Outcome::Playing;
        while ((outcome = game->frame()) == Round::Outcome::Playing)
            ++frames;

        state.PauseTiming();
        if (recorder)
        {
            recorder->roundOver(outcome, false);
            for (const auto& file : files)
                file->close();
            bytes += static_cast<double>(std::filesystem::file_size(paths.front()));
        }
        game.reset();
        recorder.reset();
        state.ResumeTiming();
    }
    for (const std::string& path : paths)
        std::remove(path.c_str());
    const auto games = static_cast<double>(state.iterations());
    state.counters["frames"] = frames / games;
    if (fileCount > 0)
        state.counters["file_bytes"] = bytes / games;
}

} // namespace

// No recording; one file, as every game played is kept; two, as --record FILE writes the player's file too.
BENCHMARK(benchGameFrames)->Arg(0)->Arg(1)->Arg(2)->Iterations(5)->Unit(benchmark::kMillisecond);
