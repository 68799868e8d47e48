// --render of a whole scripted game, as a player runs it: the replay, the drawing, the colour conversion and both
// encoders, from the script to a finished MP4. Wall time is the figure a player waits for; the process's processor
// time beside it shows how much of it the encoder's threads take on the second core. Needs a display.
#include "app/Settings.hpp"
#include "assets/MediaFolder.hpp"
#include "clip/renderClip.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace
{

void benchRenderScriptedGame(benchmark::State& state)
{
    const std::string script = std::string(BRINDLEWICK_SOURCE_DIR) + "/docs/clip.script";
    const std::string clip = (std::filesystem::temp_directory_path() / "brindlewick-bench.mp4").string();
    for (auto _ : state)
        if (renderClip(script, clip, true, MediaFolder()) != 0)
            state.SkipWithError("the render failed");
    std::remove(clip.c_str());
    sf::InputSoundFile base;
    if (base.openFromFile(MediaFolder().sound("music_base.wav")))
        state.counters["game_s"] = base.getDuration().asSeconds();
}

} // namespace

BENCHMARK(benchRenderScriptedGame)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
