// --render of a whole scripted game, as a player runs it: the replay, the drawing, the colour conversion and both
// encoders, from the script to a finished MP4. Wall time is the figure a player waits for; the process's processor
// time beside it shows how much of it the encoder's threads take on the second core. Needs a display.
#include "app/Settings.hpp"
#include "assets/MediaFolder.hpp"
#include "clip/renderClip.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace
{

const std::string Script = std::string(BRINDLEWICK_SOURCE_DIR) + "/docs/clip.script";

void recordGameLength(benchmark::State& state)
{
    sf::InputSoundFile base;
    if (base.openFromFile(MediaFolder().sound("music_base.wav")))
        state.counters["game_s"] = base.getDuration().asSeconds();
}

void benchRenderScriptedGame(benchmark::State& state)
{
    const std::string clip = (std::filesystem::temp_directory_path() / "brindlewick-bench.mp4").string();
    for (auto _ : state)
        if (renderClip(Script, clip, true, MediaFolder()) != 0)
            state.SkipWithError("the render failed");
    std::remove(clip.c_str());
    recordGameLength(state);
}

// Seconds of wall time for `folder`/brindlewick --render of the script, run in `folder` (where its media are);
// negative when it did not finish with status 0.
double timedRender(const std::filesystem::path& folder, const std::string& clip)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        if (chdir(folder.c_str()) == 0)
            execl("./brindlewick", "brindlewick", "--render", Script.c_str(), "--output", clip.c_str(), "--force",
                  static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// This build's executable and the reference build's (BRINDLEWICK_RENDER_REFERENCE, a build folder of the render
// before it was sped up, which scripts/bench.sh makes) render the script in turn, each in a process of its own as a
// player starts it. Taking turns puts the machine's drifting speed on both alike; the medians go beside each other.
void benchRenderAgainstReference(benchmark::State& state)
{
    const char* reference = std::getenv("BRINDLEWICK_RENDER_REFERENCE");
    if (!reference || !std::filesystem::exists(std::filesystem::path(reference) / "brindlewick"))
    {
        state.SkipWithError("BRINDLEWICK_RENDER_REFERENCE names no build folder with a brindlewick to compare with");
        return;
    }
    const std::string clip = (std::filesystem::temp_directory_path() / "brindlewick-bench-turns.mp4").string();
    const std::filesystem::path here = std::filesystem::current_path();
    std::vector<double> ours;
    std::vector<double> theirs;
    for (auto _ : state)
    {
        ours.push_back(timedRender(here, clip));
        theirs.push_back(timedRender(reference, clip));
        if (ours.back() < 0. || theirs.back() < 0.)
        {
            state.SkipWithError("a render failed");
            break;
        }
    }
    std::remove(clip.c_str());
    if (ours.empty())
        return;
    state.counters["render_s"] = median(ours);
    state.counters["render_min_s"] = *std::min_element(ours.begin(), ours.end());
    state.counters["reference_s"] = median(theirs);
    state.counters["reference_min_s"] = *std::min_element(theirs.begin(), theirs.end());
    recordGameLength(state);
}

} // namespace

BENCHMARK(benchRenderScriptedGame)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(benchRenderAgainstReference)->Iterations(7)->UseRealTime()->Unit(benchmark::kMillisecond);
