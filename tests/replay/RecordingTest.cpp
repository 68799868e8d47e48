#include "replay/Recording.hpp"
#include "app/Options.hpp"
#include "replay/EventText.hpp"
#include "replay/InputScript.hpp"
#include "replay/RecordingWriter.hpp"
#include "replay/ReplayFormatError.hpp"

#include <SFML/Audio/SoundSource.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace
{

// What a remapped game plays by: love on Space and pad button 3, and a listener who hears 120 ms late.
RoundOptions remapped()
{
    RoundOptions options;
    options.controls.love = {sf::Keyboard::Space};
    options.controls.padLove = {3};
    options.controls.close = {};
    options.audioOffset = sf::milliseconds(120);
    return options;
}

std::string writtenGame(bool withEnd = true)
{
    std::ostringstream out;
    RecordingWriter writer(out, 4242, remapped());
    writer.time(sf::microseconds(3));
    writer.stemVolumeSet(Stem::Top, 100.f);
    writer.endSetup();
    StateDigest digest;
    digest.total = 0x0123456789abcdefull;
    digest.parts = {1, 2, 3, 4, 5, 0xffffffffu};
    writer.key(sf::Keyboard::Escape, false);
    writer.stemStatus(Stem::Base, sf::SoundSource::Playing);
    writer.stemTime('o', Stem::Base, sf::microseconds(16000));
    writer.stemVolumeRead(Stem::Bottom, 0.1f);
    sf::Event press{};
    press.type = sf::Event::KeyPressed;
    press.key.code = sf::Keyboard::Right;
    press.key.shift = true;
    writer.event(press);
    writer.sound(Cue::Dash);
    writer.pad('c', 2, -1, 1.f);
    writer.pad('n', 2, -1, 11.f);
    writer.pad('b', 2, 6, 1.f);
    writer.pad('a', 2, sf::Joystick::PovX, -0.7f);
    writer.endFrame(sf::microseconds(16667), digest);
    if (withEnd)
        writer.end("music");
    return out.str();
}

Recording readText(const std::string& text)
{
    std::istringstream in(text);
    return readRecording(in, "game.rec");
}

// The line number the reader names for a text, or 0 when it reads it.
std::size_t refusedLine(const std::string& text)
{
    try
    {
        readText(text);
    }
    catch (const ReplayFormatError& error)
    {
        EXPECT_NE(std::string(error.what()).find("game.rec: line "), std::string::npos) << error.what();
        return error.getLine();
    }
    return 0;
}

} // namespace

TEST(RecordingFormat, ReadsBackWhatWasWrittenToTheBit)
{
    const Recording recording = readText(writtenGame());
    EXPECT_EQ(recording.seed, 4242u);
    EXPECT_EQ(recording.options.controls, remapped().controls);
    EXPECT_EQ(recording.options.audioOffset, sf::milliseconds(120));
    ASSERT_EQ(recording.setup.size(), 2u);
    EXPECT_EQ(recording.setup[1].key, "V:top");
    ASSERT_EQ(recording.frames.size(), 1u);
    const RecordedFrame& frame = recording.frames[0];
    EXPECT_EQ(frame.line, 6u);
    EXPECT_EQ(frame.frameTime, sf::microseconds(16667));
    EXPECT_EQ(frame.digest.total, 0x0123456789abcdefull);
    EXPECT_EQ(frame.digest.parts[5], 0xffffffffu);
    ASSERT_EQ(frame.events.size(), 1u);
    EXPECT_EQ(frame.events[0].key.code, sf::Keyboard::Right);
    EXPECT_TRUE(frame.events[0].key.shift);
    // The float read back must come back as the same float.
    EXPECT_EQ(std::stof(frame.tokens[3].value), 0.1f);
    EXPECT_EQ(frame.tokens[frame.tokens.size() - 5].key, "S:dash");
    // The pad's answers, each under its own question.
    EXPECT_EQ(frame.tokens[frame.tokens.size() - 2].key, "jb:2:6");
    EXPECT_EQ(frame.tokens.back().key, "ja:2:6");
    EXPECT_EQ(std::stof(frame.tokens.back().value), -0.7f);
    EXPECT_FALSE(recording.isCutShort());
}

TEST(RecordingFormat, KeepsEveryKindOfEventIncludingTheJoystick)
{
    sf::Event moved{};
    moved.type = sf::Event::JoystickMoved;
    moved.joystickMove.joystickId = 3;
    moved.joystickMove.axis = sf::Joystick::PovY;
    moved.joystickMove.position = -37.123456f;
    sf::Event back;
    ASSERT_TRUE(parseEvent(eventText(moved), back)) << eventText(moved);
    EXPECT_EQ(back.joystickMove.joystickId, 3u);
    EXPECT_EQ(back.joystickMove.axis, sf::Joystick::PovY);
    EXPECT_EQ(back.joystickMove.position, -37.123456f);

    for (int type = 0; type < sf::Event::Count; ++type)
    {
        sf::Event event{};
        event.type = static_cast<sf::Event::EventType>(type);
        ASSERT_TRUE(parseEvent(eventText(event), back)) << eventText(event);
        EXPECT_EQ(back.type, event.type);
    }
    EXPECT_FALSE(parseEvent("e:keydown:500:0:0:0:0", back)) << "a key code out of range";
    EXPECT_FALSE(parseEvent("e:joymove:0:1", back)) << "a field missing";
    EXPECT_FALSE(parseEvent("e:warp", back));
}

TEST(RecordingFormat, RefusesOtherFormatsAndDamagedLinesNamingTheLine)
{
    const std::string good = writtenGame();
    EXPECT_EQ(refusedLine("brindlewick-replay 3\nseed 1\n"), 1u);
    EXPECT_EQ(refusedLine("seed 1\n1.0 press Left\n"), 1u) << "an input script is not a recording";
    EXPECT_EQ(refusedLine("\x89PNG\r\n"), 1u);
    EXPECT_EQ(refusedLine(""), 1u);

    std::string damaged = good;
    damaged.replace(damaged.find("o:base=16000"), 12, "o:base=16x00");
    EXPECT_EQ(refusedLine(damaged), 6u);
    damaged = good;
    damaged.replace(damaged.find("S:dash"), 6, "S:bang");
    EXPECT_EQ(refusedLine(damaged), 6u);
    damaged = good;
    damaged.replace(damaged.find(" # "), 3, " ; ");
    EXPECT_EQ(refusedLine(damaged), 6u);
    EXPECT_EQ(refusedLine(good + "f 1 # 0 0 0 0 0 0 0\n"), 8u) << "nothing may follow the end";
    for (const char* controls : {"love=Spacebar", "pad.love=x", "jump=Up", "love"})
    {
        damaged = good;
        damaged.replace(damaged.find("love=Space"), 10, controls);
        EXPECT_EQ(refusedLine(damaged), 3u) << controls;
    }
    damaged = good;
    damaged.replace(damaged.find("offset 120000"), 13, "offset 12ms");
    EXPECT_EQ(refusedLine(damaged), 4u);

    // The first version had neither line, and played by the game's own controls with no offset.
    std::string first = good;
    first.replace(0, first.find("setup"), "brindlewick-replay 1\nseed 4242\n");
    const Recording old = readText(first);
    EXPECT_EQ(old.options.controls, Controls());
    EXPECT_EQ(old.options.audioOffset, sf::Time::Zero);
    EXPECT_EQ(old.frames.size(), 1u);
    for (const char* pad : {"jb:2:6=1", "jc:9=1", "jb:2:40=1", "jb:2:6=2", "ja:2:9=0", "jn:2=x", "jc:2"})
    {
        damaged = good;
        damaged.replace(damaged.find("jb:2:6=1"), 8, pad);
        EXPECT_EQ(refusedLine(damaged), std::string(pad) == "jb:2:6=1" ? 0u : 6u) << pad;
    }
}

TEST(RecordingFormat, AFileCutShortKeepsItsWholeFramesAndSaysWhereItStopped)
{
    const std::string whole = writtenGame(false);
    // Cut in the middle of the frame line: only the setup is left.
    const Recording cut = readText(whole.substr(0, whole.size() - 10));
    EXPECT_TRUE(cut.isCutShort());
    EXPECT_TRUE(cut.frames.empty());
    EXPECT_EQ(cut.stoppedAtLine, 6u);

    // Every frame whole, but no end line (a game killed outright).
    const Recording noEnd = readText(whole);
    EXPECT_TRUE(noEnd.isCutShort());
    EXPECT_EQ(noEnd.frames.size(), 1u);
    EXPECT_EQ(noEnd.stoppedAtLine, 7u);
}

TEST(InputScriptReader, ReadsStepsAndRefusesWhatIsNotOne)
{
    std::istringstream in("seed 7\n# a tap, then Shift held\n1.25 press Right\n\n2.00 down LShift\r\n3.4 up LShift\n");
    const InputScript script = readInputScript(in, "clip.script");
    EXPECT_EQ(script.seed, 7u);
    ASSERT_EQ(script.steps.size(), 3u);
    EXPECT_EQ(script.steps[0].at, sf::milliseconds(1250));
    EXPECT_EQ(script.steps[0].key, sf::Keyboard::Right);
    EXPECT_EQ(script.steps[1].action, InputScript::Action::Down);
    EXPECT_EQ(script.steps[2].at, sf::milliseconds(3400));
    EXPECT_EQ(script.steps[2].line, 6u);

    const auto refusal = [](const std::string& text)
    {
        std::istringstream bad(text);
        try
        {
            readInputScript(bad, "clip.script");
        }
        catch (const ReplayFormatError& error)
        {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(refusal("seed 7\n1.0 press Rigth\n"), "clip.script: line 2: unknown key \"Rigth\"");
    EXPECT_NE(refusal("seed 7\n1.0 tap Right\n"), "");
    EXPECT_NE(refusal("seed 7\n2.0 press Right\n1.0 press Left\n"), "") << "steps out of order";
    EXPECT_NE(refusal("seed 7\n1e3 press Right\n"), "");
    EXPECT_NE(refusal("seed -1\n"), "");
    EXPECT_NE(refusal("seed 99999999999\n"), "");
    EXPECT_EQ(keyName(keyFromName("LShift")), "LShift");
}

TEST(ReplayOptions, TakeAFileEachAndCheckOnlyWithReplay)
{
    const Options record = parseOptions({"--record", "game.rec"});
    EXPECT_EQ(record.mode, Options::Mode::Record);
    EXPECT_EQ(record.file, "game.rec");
    const Options check = parseOptions({"--check", "--replay", "game.rec"});
    EXPECT_EQ(check.mode, Options::Mode::Replay);
    EXPECT_TRUE(check.check);
    EXPECT_FALSE(parseOptions({"--replay", "game.rec"}).check);
    EXPECT_THROW(parseOptions({"--record"}), UsageError);
    EXPECT_THROW(parseOptions({"--check"}), UsageError);
    EXPECT_THROW(parseOptions({"--record", "a", "--check"}), UsageError);
    EXPECT_THROW(parseOptions({"--record", "a", "--replay", "b"}), UsageError);
    EXPECT_EQ(parseOptions({}).mode, Options::Mode::Play);
}
