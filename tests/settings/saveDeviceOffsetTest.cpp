#include "settings/saveDeviceOffset.hpp"
#include "settings/SettingsFile.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{

class SavedOffset : public ::testing::Test
{
protected:
    // The file after saving an offset into what it held before (nothing, when `before` is null).
    std::string saved(const char* before, const std::string& device, int offset)
    {
        if (before != nullptr)
        {
            fs::create_directories(folder / "brindlewick");
            std::ofstream(path) << before;
        }
        saveDeviceOffset(path, device, offset);
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    int readBack(const std::string& device)
    {
        std::vector<std::string> problems;
        const PlayerSettings settings = readSettings(path, true, problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        return static_cast<int>(settings.audio.offsetFor(device).asMilliseconds());
    }

    TempFolder temp;
    const fs::path& folder = temp.get();
    const std::string path = (folder / "brindlewick/settings.toml").string();
};

const char* const PlayersFile = R"(# my settings
[sound]
music = 50   # the tune is loud

[audio.device_offsets]   # measured
"Headphones" = 180
"Speakers" = 20 # by ear

[controls]
love = ["Space"]
)";

} // namespace

TEST_F(SavedOffset, theDevicesLineIsAddedOrChangedAndEveryOtherLineStays)
{
    // A device of its own: its value changes where it stands, to the byte.
    std::string expected = PlayersFile;
    expected.replace(expected.find("= 20"), 4, "= -35");
    EXPECT_EQ(saved(PlayersFile, "Speakers", -35), expected);

    // A new device: a line at the end of the table, before the next one.
    expected = PlayersFile;
    expected.insert(expected.find("\n[controls]"), "\"Wave \\\"File\\\" Writer\" = 120\n");
    EXPECT_EQ(saved(PlayersFile, "Wave \"File\" Writer", 120), expected);
    EXPECT_EQ(readBack("Wave \"File\" Writer"), 120);
    EXPECT_EQ(readBack("Headphones"), 180);

    // No table yet, one written inline, no file at all.
    EXPECT_EQ(saved("[sound]\nmuted = true\n", "Speakers", 5), "[sound]\nmuted = true\n\n[audio.device_offsets]\n"
                                                               "\"Speakers\" = 5\n");
    EXPECT_EQ(saved("audio.device_offsets = { \"A\" = 1 }\n", "B", 2),
              "audio.device_offsets = { \"A\" = 1, \"B\" = 2 }\n");
    fs::remove(path);
    EXPECT_EQ(saved(nullptr, "Speakers", 7), "[audio.device_offsets]\n\"Speakers\" = 7\n");
    EXPECT_FALSE(fs::exists(path + ".saving"));
}

TEST_F(SavedOffset, aFileThatDoesNotParseIsNotTouched)
{
    fs::create_directories(folder / "brindlewick");
    const std::string broken = "[sound\nmusic = 50\n";
    std::ofstream(path) << broken;
    try
    {
        saveDeviceOffset(path, "Speakers", 10);
        ADD_FAILURE() << "saved into a file that does not parse";
    }
    catch (const SettingsSaveError& error)
    {
        EXPECT_NE(std::string(error.what()).find("does not parse (line 1"), std::string::npos) << error.what();
    }
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), broken);
}
