#include "settings/SettingsFile.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{

class SettingsFile : public ::testing::Test
{
protected:
    PlayerSettings read(const std::string& text)
    {
        const std::string path = (folder / "settings.toml").string();
        std::ofstream(path) << text;
        problems.clear();
        return readSettings(path, true, problems);
    }

    // The problems, each without the file's path.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> shortened;
        for (const std::string& problem : problems)
            shortened.push_back(problem.substr(problem.find("settings.toml")));
        return shortened;
    }

    TempFolder temp;
    const fs::path& folder = temp.get();
    std::vector<std::string> problems;
};

} // namespace

TEST_F(SettingsFile, theShippedExampleIsEveryDefaultAndAFileSetsEveryKey)
{
    std::ifstream example(BRINDLEWICK_SOURCE_DIR "/dist/settings.example.toml");
    const PlayerSettings shipped = read(std::string(std::istreambuf_iterator<char>(example), {}));
    EXPECT_TRUE(problems.empty()) << problems.front();
    const PlayerSettings defaults;
    EXPECT_EQ(shipped.display.scale, defaults.display.scale);
    EXPECT_EQ(shipped.display.maxFps, defaults.display.maxFps);
    EXPECT_EQ(shipped.sound.master, defaults.sound.master);
    EXPECT_EQ(shipped.audio.offsetMs, defaults.audio.offsetMs);
    EXPECT_TRUE(shipped.audio.deviceOffsets.empty());
    EXPECT_EQ(shipped.controls, defaults.controls);

    const PlayerSettings set = read(R"(
[display]
scale = 2
fullscreen = true
max_fps = 30
[sound]
master = 50
music = 25.5
effects = 0
muted = true
[audio]
offset_ms = -40
device_offsets = { "Wave File Writer" = 120, "OpenAL Soft on Built-in Audio" = 35 }
[controls]
love = ["Space"]
close = []
[gamepad]
love = [1]
)");
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(set.display.scale, 2);
    EXPECT_TRUE(set.display.fullscreen);
    EXPECT_EQ(set.display.maxFps, 30);
    EXPECT_EQ(set.sound.master, 50.f);
    EXPECT_EQ(set.sound.music, 25.5f);
    EXPECT_EQ(set.sound.effects, 0.f);
    EXPECT_TRUE(set.sound.muted);
    EXPECT_EQ(set.audio.offsetFor("Wave File Writer"), sf::milliseconds(120));
    EXPECT_EQ(set.audio.offsetFor("another device"), sf::milliseconds(-40));
    EXPECT_EQ(set.controls.love, std::vector<sf::Keyboard::Key>{sf::Keyboard::Space});
    EXPECT_TRUE(set.controls.close.empty());
    EXPECT_EQ(set.controls.padLove, std::vector<unsigned>{1});
    EXPECT_EQ(set.controls.up, defaults.controls.up) << "an action not named keeps its keys";
}

TEST_F(SettingsFile, eachMistakeIsOneLineNamingItsLineAndOnlyThatSettingKeepsItsDefault)
{
    const PlayerSettings settings = read(R"([display]
scale = 0
fullscreen = "yes"
[sound]
master = 50
volume = 3
[controls]
love = ["Spacebar"]
up = ["A"]
close = ["M"]
down = ["Space", "Down"]
[gamepad]
close = [0]
[audio]
offset_ms = 900
device_offsets = { "a" = 10, "b" = "x" }
[extra]
)");
    // In the order of their lines.
    const std::vector<std::string> expected{
        "settings.toml:2: display.scale must be a whole number from 1 to 16, not 0; it stays 3",
        "settings.toml:3: display.fullscreen must be true or false, not 'yes'; it stays false",
        "settings.toml:6: unknown setting \"sound.volume\"; it is left out",
        std::string("settings.toml:8: controls.love names 'Spacebar', which is no key name (they are SFML's: Up, W, ") +
            "LShift, Space, Num1, ...); it keeps its default keys",
        "settings.toml:9: controls.up takes A, which controls.left has too; it keeps its default",
        std::string("settings.toml:10: controls.close takes M, which switches the sound on and off in every game; ") +
            "it keeps its default keys",
        "settings.toml:13: gamepad.close takes button 0, which gamepad.love has too; it keeps its default",
        "settings.toml:15: audio.offset_ms must be a whole number from -300 to 500, not 900; it stays 0",
        "settings.toml:16: audio.device_offsets.\"b\" must be a whole number from -300 to 500, not 'x'; it stays 0",
        "settings.toml:17: unknown setting \"extra\"; it is left out",
    };
    EXPECT_EQ(lines(), expected);
    const PlayerSettings defaults;
    EXPECT_EQ(settings.sound.master, 50.f) << "the rest of the file is used";
    EXPECT_EQ(settings.display.scale, 3);
    EXPECT_EQ(settings.controls.love, defaults.controls.love);
    EXPECT_EQ(settings.controls.up, defaults.controls.up);
    EXPECT_EQ(settings.controls.close, defaults.controls.close);
    EXPECT_EQ(settings.controls.down, (std::vector<sf::Keyboard::Key>{sf::Keyboard::Space, sf::Keyboard::Down}));
    EXPECT_EQ(settings.controls.padClose, defaults.controls.padClose);
    EXPECT_EQ(settings.audio.deviceOffsets, (std::map<std::string, int>{{"a", 10}}));
}

TEST_F(SettingsFile, aFileThatDoesNotParseOrIsNotThereSaysWhy)
{
    const PlayerSettings broken = read("[sound]\nmaster = 50\n[display\nscale = 2\n");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(lines().front().find("settings.toml:3: "), std::string::npos) << problems.front();
    EXPECT_NE(problems.front().find("every setting keeps its default"), std::string::npos) << problems.front();
    EXPECT_EQ(broken.sound.master, 100.f);

    // The player's own file may be missing; one they named may not.
    const std::string missing = (folder / "none.toml").string();
    problems.clear();
    readSettings(missing, false, problems);
    EXPECT_TRUE(problems.empty());
    readSettings(missing, true, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems.front().find("none.toml: cannot read the settings: No such file or directory"),
              std::string::npos)
        << problems.front();
}
