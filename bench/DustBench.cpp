#include "world/DustTrail.hpp"

#include <benchmark/benchmark.h>

// One frame of a steady dust trail behind a dashing player: about 135 puffs emitted, aged, faded and laid out as
// quads. No texture is needed to measure the work, which does not depend on the picture.
static void benchDustUpdateSteadyTrail(benchmark::State& state)
{
    const sf::Time frame = sf::microseconds(16666);
    DustTrail dust;
    for (int i = 0; i < 120; ++i)
    {
        dust.aim({150.f, 100.f}, {350.f, 0.f});
        dust.update(frame);
    }
    for (auto _ : state)
    {
        dust.aim({150.f, 100.f}, {350.f, 0.f});
        dust.update(frame);
        benchmark::DoNotOptimize(dust.getParticleSystem().getVertices().getVertexCount());
    }
    state.counters["particles"] = static_cast<double>(dust.getParticleSystem().getParticles().size());
}
BENCHMARK(benchDustUpdateSteadyTrail);
