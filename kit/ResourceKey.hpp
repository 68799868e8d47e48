#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace kit
{

// Says how to load one resource of type T and which other keys name the same resource.
// Two keys of the same type with the same identity share one cached object; the description is what a user reads
// when the load fails.
template <typename T>
class ResourceKey
{
public:
    // Returns the loaded resource, or nullptr when it cannot be loaded.
    using Loader = std::function<std::unique_ptr<T>()>;

    ResourceKey(Loader loader, std::string description, std::string identity)
        : loader(std::move(loader))
        , description(std::move(description))
        , identity(std::move(identity))
    {
    }

    std::unique_ptr<T> load() const { return loader(); }
    const std::string& getDescription() const { return description; }
    const std::string& getIdentity() const { return identity; }

private:
    Loader loader;
    std::string description;
    std::string identity;
};

} // namespace kit
