#include "kit/MultiResourceCache.hpp"
#include "assets/ScratchFolder.hpp"
#include "kit/Resources.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using kit::MultiResourceCache;
using kit::ResourceKey;
using kit::ResourceLoadingException;

namespace
{

// A key whose loader counts its calls and can be told to fail, the way a missing file would.
template <typename T>
ResourceKey<T> countingKey(const std::string& identity, int& loads, T value, bool fails = false)
{
    auto loader = [&loads, value, fails]() -> std::unique_ptr<T>
    {
        ++loads;
        if (fails)
        {
            sf::err() << "Unable to open \""
                      << "the thing"
                      << "\"" << std::endl;
            return nullptr;
        }
        return std::make_unique<T>(value);
    };
    return ResourceKey<T>(loader, "thing " + identity, identity);
}

// Points sf::err() at a string for the lifetime of the object.
class ErrRecorder
{
public:
    ErrRecorder()
        : previous(sf::err().rdbuf(text.rdbuf()))
    {
    }
    ~ErrRecorder() { sf::err().rdbuf(previous); }
    std::string str() const { return text.str(); }

private:
    std::ostringstream text;
    std::streambuf* previous;
};

} // namespace

TEST(MultiResourceCache, equalKeysShareOneObjectLoadedOnce)
{
    MultiResourceCache cache;
    int loads = 0;

    const auto first = cache.acquire(countingKey<std::string>("a", loads, "first"));
    // A separately made key with the same type and identity names the same resource, whatever its loader would do.
    const auto second = cache.acquire(countingKey<std::string>("a", loads, "second"));

    EXPECT_EQ(first, second);
    EXPECT_EQ(*second, "first");
    EXPECT_EQ(loads, 1);

    // The cache keeps the object alive even when every holder has let go.
    const std::string* address = first.get();
    cache.acquire(countingKey<std::string>("b", loads, "other"));
    EXPECT_EQ(cache.acquire(countingKey<std::string>("a", loads, "third")).get(), address);
    EXPECT_EQ(loads, 2);
}

TEST(MultiResourceCache, identityAndTypeBothTellResourcesApart)
{
    MultiResourceCache cache;
    int loads = 0;

    const auto a = cache.acquire(countingKey<std::string>("a", loads, "one"));
    const auto b = cache.acquire(countingKey<std::string>("b", loads, "two"));
    const auto number = cache.acquire(countingKey<int>("a", loads, 7));

    EXPECT_NE(a, b);
    EXPECT_EQ(*a, "one");
    EXPECT_EQ(*b, "two");
    EXPECT_EQ(*number, 7);
    EXPECT_EQ(loads, 3);
}

TEST(MultiResourceCache, failedLoadThrowsWithDescriptionAndReasonAndCachesNothing)
{
    MultiResourceCache cache;
    int loads = 0;
    ErrRecorder err;

    try
    {
        cache.acquire(countingKey<std::string>("x", loads, "", true));
        FAIL() << "no exception";
    }
    catch (const std::runtime_error& e)
    {
        EXPECT_NE(dynamic_cast<const ResourceLoadingException*>(&e), nullptr);
        const std::string message = e.what();
        EXPECT_EQ(message, "Failed to load resource \"thing x\"");
        // What the loader said about the failure travels with the exception instead of going to the error stream.
        const std::string& reason = dynamic_cast<const ResourceLoadingException&>(e).getReason();
        EXPECT_NE(reason.find("Unable to open \"the thing\""), std::string::npos) << reason;
    }
    EXPECT_EQ(err.str(), "");

    // The error stream is back where it was after the failure.
    sf::err() << "after";
    EXPECT_EQ(err.str(), "after");

    // Nothing was cached for the failed key: the next acquisition tries again and may succeed.
    const auto loaded = cache.acquire(countingKey<std::string>("x", loads, "now there"));
    EXPECT_EQ(*loaded, "now there");
    EXPECT_EQ(loads, 2);
}

TEST(MultiResourceCache, whatASuccessfulLoadWritesStillReachesTheErrorStream)
{
    MultiResourceCache cache;
    ErrRecorder err;
    auto loader = []() -> std::unique_ptr<int>
    {
        sf::err() << "a warning that is not a failure" << std::endl;
        return std::make_unique<int>(1);
    };

    cache.acquire(ResourceKey<int>(loader, "warned", "warned"));

    EXPECT_EQ(err.str(), "a warning that is not a failure\n");
}

TEST(ResourcesFromFile, loadsAFileOnceAndNamesItsPathWhenMissing)
{
    ScratchFolder folder;
    ScratchFolder::writePicture("pictures/square.png", 3, 2);
    MultiResourceCache cache;

    const auto image = cache.acquire(kit::resources::fromFile<sf::Image>("pictures/square.png"));
    EXPECT_EQ(image->getSize(), sf::Vector2u(3, 2));

    // Once cached, the file is not read again: it can even be gone.
    std::filesystem::remove("pictures/square.png");
    EXPECT_EQ(cache.acquire(kit::resources::fromFile<sf::Image>("pictures/square.png")), image);

    // Another path is another resource, and a missing one names itself and what SFML found wrong.
    ErrRecorder err;
    try
    {
        cache.acquire(kit::resources::fromFile<sf::Image>("pictures/round.png"));
        FAIL() << "no exception";
    }
    catch (const ResourceLoadingException& e)
    {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Failed to load resource \"", 0), 0u) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        EXPECT_NE(message.find("pictures/round.png"), std::string::npos) << message;
        EXPECT_EQ(message.back(), '"') << message;
        EXPECT_NE(e.getReason().find("Unable to open file"), std::string::npos) << e.getReason();
    }
    EXPECT_EQ(err.str(), "");
}
