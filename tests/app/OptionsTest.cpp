#include "app/Options.hpp"

#include <gtest/gtest.h>

TEST(Options, NoArgumentsIsTheGameAndTheInformationOptionsAreKnown)
{
    EXPECT_EQ(parseOptions({}).mode, Options::Mode::Play);
    EXPECT_EQ(parseOptions({"--version"}).mode, Options::Mode::Version);
    EXPECT_EQ(parseOptions({"--help"}).mode, Options::Mode::Help);
    EXPECT_EQ(versionLine().rfind("brindlewick ", 0), 0u);
}

TEST(Options, AnUnknownArgumentIsNamedWithTheHint)
{
    for (const char* argument : {"--verison", "-x", "play", ""})
    {
        try
        {
            parseOptions({"--version", argument});
            ADD_FAILURE() << "accepted \"" << argument << "\"";
        }
        catch (const UsageError& error)
        {
            const std::string message = error.what();
            EXPECT_NE(message.find(std::string("\"") + argument + "\""), std::string::npos) << message;
            EXPECT_NE(message.find("--help"), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}
