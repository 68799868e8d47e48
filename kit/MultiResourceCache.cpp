#include "kit/MultiResourceCache.hpp"

#include "kit/ErrorCapture.hpp"

#include <SFML/System/Err.hpp>

namespace kit
{
std::shared_ptr<void> MultiResourceCache::loadQuietly(const std::string& description,
                                                      const std::function<std::shared_ptr<void>()>& load)
{
    std::shared_ptr<void> loaded;
    std::string said;
    std::string reason;
    {
        const ErrorCapture capture;
        loaded = load();
        said = capture.text();
        reason = capture.line();
    }
    // SFML's own reason, if it gave one, travels beside the fixed message.
    if (!loaded)
        throw ResourceLoadingException("Failed to load resource \"" + description + "\"", reason);
    // Whatever was said during a load that worked is passed on.
    if (!said.empty())
        sf::err() << said << std::flush;
    return loaded;
}

} // namespace kit
