#include "calibrate/Calibration.hpp"
#include "support/ScriptedTime.hpp"
#include "support/ScriptedTrack.hpp"

#include <gtest/gtest.h>

namespace
{

sf::Event keyPressed(sf::Keyboard::Key code, bool alt = false)
{
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = code;
    event.key.alt = alt;
    return event;
}

// The stem and the time source move on together in frames of a millisecond, the mixer's way: the stem's offset in
// steps of 1024 samples, with 47 ms of output latency. A press comes in the frame at its time.
class ScriptedCalibration
{
public:
    ScriptedCalibration()
    {
        stem.latency = sf::microseconds(47400);
        calibration = std::make_unique<Calibration>(stem, time.source());
    }

    void runTo(sf::Time heard, const std::vector<sf::Event>& events = {})
    {
        while (time.get() - stem.latency < heard)
        {
            time.advance(sf::milliseconds(1));
            stem.offset = sf::microseconds(time.get().asMicroseconds() / 23220 * 23220);
            calibration->update(time.get() - stem.latency >= heard ? events : std::vector<sf::Event>{});
        }
    }

    ScriptedTrack stem;
    ScriptedTime time;
    std::unique_ptr<Calibration> calibration;
};

} // namespace

// Presses 80 ms after each heard beat, give or take 5, and two wild ones: the estimate is 80 ms within 2.
TEST(Calibration, theMedianOfThePressesLeavesOutTheWildOnes)
{
    ScriptedCalibration run;
    const int jitter[] = {-5, 3, 0, 5, -2, 4, -4, 1, 2, -3};
    for (int beat = 1; beat <= 10; ++beat)
        run.runTo(sf::milliseconds(500 * beat + 80 + jitter[beat - 1]), {keyPressed(sf::Keyboard::Space)});
    run.runTo(sf::milliseconds(5500 - 210), {keyPressed(sf::Keyboard::A)}); // a stumble
    run.runTo(sf::milliseconds(6000 + 240), {keyPressed(sf::Keyboard::A)}); // a late one, near the next beat
    const OffsetEstimate& estimate = run.calibration->getEstimate();
    ASSERT_EQ(estimate.getPresses().size(), 12u);
    EXPECT_NEAR(estimate.getOffset().asMicroseconds() / 1000.0, 80.0, 2.0);
    EXPECT_EQ(estimate.getCounted(), 10u);
    EXPECT_EQ(median({sf::milliseconds(3), sf::milliseconds(1), sf::milliseconds(10), sf::milliseconds(2)}),
              sf::microseconds(2500));
}

TEST(Calibration, enterSavesOnlyOnceEnoughPressesCameAndTheWindowKeysAreNoPresses)
{
    ScriptedCalibration run;
    run.runTo(sf::milliseconds(510),
              {keyPressed(sf::Keyboard::M), keyPressed(sf::Keyboard::F11), keyPressed(sf::Keyboard::Enter, true)});
    EXPECT_TRUE(run.calibration->getEstimate().getPresses().empty());
    for (int beat = 2; beat < 2 + static_cast<int>(OffsetEstimate::PressesNeeded) - 1; ++beat)
    {
        sf::Event button{};
        button.type = sf::Event::JoystickButtonPressed;
        run.runTo(sf::milliseconds(500 * beat), {beat % 2 == 0 ? keyPressed(sf::Keyboard::Space) : button});
    }
    run.runTo(sf::milliseconds(5000), {keyPressed(sf::Keyboard::Enter)});
    EXPECT_TRUE(run.calibration->wasSaveRefused());
    EXPECT_EQ(run.calibration->getOutcome(), Calibration::Outcome::Measuring);
    run.runTo(sf::milliseconds(5500), {keyPressed(sf::Keyboard::Space)});
    run.runTo(sf::milliseconds(6000), {keyPressed(sf::Keyboard::Enter)});
    EXPECT_EQ(run.calibration->getOutcome(), Calibration::Outcome::Save);

    ScriptedCalibration left;
    left.runTo(sf::milliseconds(100), {keyPressed(sf::Keyboard::Escape)});
    EXPECT_EQ(left.calibration->getOutcome(), Calibration::Outcome::Leave);
    EXPECT_FALSE(left.calibration->isMusicOver());
    left.runTo(sf::milliseconds(7800));
    EXPECT_TRUE(left.calibration->isMusicOver());
}
