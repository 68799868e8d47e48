// The world's frame (Round::frame, no drawing) with a given number of baseballers alive, and the whole frame as
// drawn: Screen::present with the game's draw list. Needs a display (run under xvfb-run where there is none).
#include "BenchRound.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <utility>

namespace
{

// A second of play with the flock kept full, so the timed frames find the round as it is mid-game.
void settle(BenchRound& game, std::size_t alive)
{
    game.fillFlock(alive);
    for (int i = 0; i < 60; ++i)
    {
        game.frame();
        game.fillFlock(alive);
    }
}

// Those that leave are made again between frames, outside the timing, so every frame has the same number alive;
// the round's own spawn every quarter second stays inside it.
void benchWorldFrame(benchmark::State& state)
{
    const auto alive = static_cast<std::size_t>(state.range(0));
    BenchRound game;
    settle(game, alive);
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(game.frame());
        state.PauseTiming();
        game.fillFlock(alive);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.counters["alive"] = static_cast<double>(game.alive());
}

sf::RenderWindow& benchWindow()
{
    static sf::RenderWindow window(sf::VideoMode(900, 600), "bench", sf::Style::Close);
    window.setVerticalSyncEnabled(false);
    return window;
}

// One present's time, the thread's own and the wall's, summed over the loop.
struct PresentTime
{
    double cpu = 0.;
    double wall = 0.;

    template <class Present>
    void add(Present&& present)
    {
        const auto start = std::chrono::steady_clock::now();
        const double startCpu = threadMicroseconds();
        present();
        cpu += threadMicroseconds() - startCpu;
        wall += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
};

// Present with the game's draw list, set against its references in the same loop: the draw list drawn one entry at
// a time, as present did before it batched, and one scaled draw of the canvas. Interleaved, the three meet the same
// machine, which on a shared one changes from second to second.
void benchPresentGameFrame(benchmark::State& state)
{
    const auto alive = static_cast<std::size_t>(state.range(0));
    sf::RenderWindow& window = benchWindow();
    BenchRound game;
    settle(game, alive);
    BenchScreen& screen = game.getScreen();
    PresentTime batched;
    PresentTime oneByOne;
    PresentTime scaled;
    for (auto _ : state)
    {
        batched.add([&] { screen.present(window); });
        oneByOne.add([&] { screen.presentOneByOne(window); });
        scaled.add([&] { drawCanvasScaled(window, canvas()); });
    }
    const auto runs = static_cast<double>(state.iterations());
    for (const auto& [name, time] : {std::pair{"batched", &batched}, {"one_by_one", &oneByOne}, {"scaled", &scaled}})
    {
        state.counters[std::string(name) + "_cpu_us"] = time->cpu / runs;
        state.counters[std::string(name) + "_wall_us"] = time->wall / runs;
    }
    state.counters["alive"] = static_cast<double>(game.alive());
}

// One question to the X server whether a key is held ("close" asks about Escape): a round trip to another process,
// its wall time mostly waiting. The game asks it only after that key's own events or a change of focus.
void benchEscapeAsked(benchmark::State& state)
{
    benchWindow();
    for (auto _ : state)
        benchmark::DoNotOptimize(sf::Keyboard::isKeyPressed(sf::Keyboard::Escape));
}

} // namespace

// With none made beyond the round's own spawns (about as many as a game holds), and then with N alive, for the
// complexity report, which needs N above zero.
BENCHMARK(benchWorldFrame)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(benchWorldFrame)
    ->Arg(20)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(benchPresentGameFrame)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(benchEscapeAsked)->Unit(benchmark::kMicrosecond);
