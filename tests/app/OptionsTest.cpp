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

TEST(Options, RenderTakesItsInputAndOutputAndRefusesHalfACommand)
{
    const Options render = parseOptions({"--render", "game.txt", "--output", "--force.mp4", "--force"});
    EXPECT_EQ(render.mode, Options::Mode::Render);
    EXPECT_EQ(render.renderInput, "game.txt");
    EXPECT_EQ(render.renderOutput, "--force.mp4");
    EXPECT_TRUE(render.forceOutput);
    EXPECT_FALSE(parseOptions({"--output", "a.mp4", "--render", "b"}).forceOutput);

    const std::vector<std::vector<std::string>> refused{
        {"--render", "game.txt"},
        {"--render"},
        {"--render", "a", "--output"},
        {"--output", "a.mp4"},
        {"--force"},
        {"--replay", "a", "--render", "b", "--output", "c"},
        {"--render", "a", "--output", "c", "--record", "d"},
    };
    for (const std::vector<std::string>& arguments : refused)
        EXPECT_THROW(parseOptions(arguments), UsageError) << arguments.front() << " ... " << arguments.back();
}
