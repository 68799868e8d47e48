#include "kit/Random.hpp"

#include <chrono>
#include <utility>

namespace kit
{

std::mt19937& randomEngine()
{
    static std::mt19937 engine = []
    {
        std::random_device device;
        const auto ticks = static_cast<std::mt19937::result_type>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seeds{static_cast<std::mt19937::result_type>(device()),
                            static_cast<std::mt19937::result_type>(device()), ticks};
        return std::mt19937(seeds);
    }();
    return engine;
}

void setRandomSeed(std::mt19937::result_type seed)
{
    randomEngine().seed(seed);
}

int random(int min, int max)
{
    if (min > max)
        std::swap(min, max);
    std::uniform_int_distribution<int> distribution(min, max);
    return distribution(randomEngine());
}

} // namespace kit
