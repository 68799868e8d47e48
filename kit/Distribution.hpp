#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace kit
{

// A source of values for new particles: either one constant or a function drawn anew for every particle.
template <typename T>
class Distribution
{
public:
    // Implicit, so that a plain value can be given wherever a distribution is asked for.
    Distribution(T constant)
        : generator([constant] { return constant; })
    {
    }

    template <typename Function,
              typename = std::enable_if_t<!std::is_same_v<std::decay_t<Function>, Distribution> &&
                                          !std::is_convertible_v<Function, T> && std::is_invocable_r_v<T, Function&>>>
    Distribution(Function function)
        : generator(std::move(function))
    {
    }

    T operator()() const { return generator(); }

private:
    std::function<T()> generator;
};

} // namespace kit
