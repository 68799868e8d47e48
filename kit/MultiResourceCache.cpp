#include "kit/MultiResourceCache.hpp"

#include <SFML/System/Err.hpp>

#include <sstream>

namespace kit
{
namespace
{

// Sends sf::err() into a string for as long as it lives, also when the load throws.
class ErrCapture
{
public:
    ErrCapture()
        : previous(sf::err().rdbuf(captured.rdbuf()))
    {
    }
    ~ErrCapture() { sf::err().rdbuf(previous); }
    ErrCapture(const ErrCapture&) = delete;
    ErrCapture& operator=(const ErrCapture&) = delete;

    std::string text() const { return captured.str(); }
    std::streambuf* original() const { return previous; }

private:
    std::ostringstream captured;
    std::streambuf* previous;
};

std::string trimmed(std::string text)
{
    const auto end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

} // namespace

std::shared_ptr<void> MultiResourceCache::loadQuietly(const std::string& description,
                                                      const std::function<std::shared_ptr<void>()>& load)
{
    std::shared_ptr<void> loaded;
    std::string said;
    {
        ErrCapture capture;
        loaded = load();
        said = capture.text();
    }
    if (!loaded)
    {
        // SFML's own reason, if it gave one, travels beside the fixed message, on one line.
        std::string reason = trimmed(said);
        for (char& c : reason)
            if (c == '\n')
                c = ' ';
        throw ResourceLoadingException("Failed to load resource \"" + description + "\"", reason);
    }
    if (!said.empty())
        sf::err() << said << std::flush;
    return loaded;
}

} // namespace kit
