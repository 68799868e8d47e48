// What recording costs a frame: a whole scripted game's world frames with and without the recorder, which wraps
// every seam, digests the state after each frame and writes a line of the file. Drawing is the same either way and
// is left out, so the difference is all the recorder's. Needs a display (textures), as the other round benches.
#include "BenchRound.hpp"

#include "replay/GameRecorder.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{

// Fourteen seconds of play, as the whole-game bench plays it; the recorded run writes its file as the game would.
void benchGameFrames(benchmark::State& state)
{
    const bool recorded = state.range(0) != 0;
    const std::string path = (std::filesystem::temp_directory_path() / "brindlewick-bench.rec").string();
    double frames = 0.;
    double bytes = 0.;
    for (auto _ : state)
    {
        // The set-up and the file's closing are not the frames'.
        state.PauseTiming();
        std::unique_ptr<GameRecorder> recorder;
        if (recorded)
            recorder = std::make_unique<GameRecorder>(path);
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
            recorder->finish();
            bytes += static_cast<double>(std::filesystem::file_size(path));
        }
        game.reset();
        recorder.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    const auto games = static_cast<double>(state.iterations());
    state.counters["frames"] = frames / games;
    if (recorded)
        state.counters["file_bytes"] = bytes / games;
}

} // namespace

BENCHMARK(benchGameFrames)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);
