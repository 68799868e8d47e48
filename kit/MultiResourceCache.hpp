#pragma once

#include "kit/ResourceKey.hpp"
#include "kit/ResourceLoadingException.hpp"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>

namespace kit
{

// Holds resources of any type, each loaded on its first acquisition and shared from then on. Nothing is released
// before the cache itself goes.
class MultiResourceCache
{
public:
    // The cached object for an equal key (same type, same identity), or the freshly loaded one.
    // Throws ResourceLoadingException when the key's loader fails; nothing is cached then, so a later call tries again.
    template <typename T>
    std::shared_ptr<T> acquire(const ResourceKey<T>& key)
    {
        const Slot slot(std::type_index(typeid(T)), key.getIdentity());
        const auto found = resources.find(slot);
        if (found != resources.end())
            return std::static_pointer_cast<T>(found->second);

        std::shared_ptr<void> loaded =
            loadQuietly(key.getDescription(), [&key]() -> std::shared_ptr<void> { return key.load(); });
        resources.emplace(slot, loaded);
        return std::static_pointer_cast<T>(loaded);
    }

private:
    using Slot = std::pair<std::type_index, std::string>;

    // Runs the load with SFML's error stream caught, so that a failure surfaces as one exception that carries what
    // SFML said instead of loose lines on stderr. Whatever was written during a load that worked is passed on.
    static std::shared_ptr<void> loadQuietly(const std::string& description,
                                             const std::function<std::shared_ptr<void>()>& load);

    std::map<Slot, std::shared_ptr<void>> resources;
};

} // namespace kit
