#include "calibrate/Calibration.hpp"

#include <utility>

namespace
{
const sf::Time BeatLength = sf::milliseconds(500);

// The keys that act on the window and the sound (F11, Alt+Enter, M) are no presses on the beat.
bool isWindowKey(const sf::Event::KeyEvent& key)
{
    return key.code == sf::Keyboard::F11 || key.code == sf::Keyboard::M || (key.code == sf::Keyboard::Enter && key.alt);
}
} // namespace

Calibration::Calibration(const MusicTrack& base, kit::TimeSource now)
    : clock(base, std::move(now))
    , lastHeard(clock.getHeardOffset())
    , heard(lastHeard)
{
}

bool Calibration::isMusicOver() const
{
    return heard >= BeatLength * sf::Int64(Beats) - BeatLength / sf::Int64(2);
}

void Calibration::update(const std::vector<sf::Event>& events)
{
    lastHeard = heard;
    clock.update();
    heard = clock.getHeardOffset();
    for (const sf::Event& event : events)
    {
        if (outcome != Outcome::Measuring)
            return;
        const bool escape = event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape;
        if (event.type == sf::Event::Closed || escape)
            outcome = Outcome::Leave;
        else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Enter && !event.key.alt)
        {
            saveRefused = !estimate.isReady();
            if (estimate.isReady())
                outcome = Outcome::Save;
        }
        else if ((event.type == sf::Event::KeyPressed && !isWindowKey(event.key)) ||
                 event.type == sf::Event::JoystickButtonPressed)
            press();
    }
}

void Calibration::press()
{
    // The press came between the last frame's reading and this one's: the middle is its best guess.
    const sf::Time at = sf::microseconds((lastHeard.asMicroseconds() + heard.asMicroseconds()) / 2);
    const sf::Int64 beat = (at.asMicroseconds() + BeatLength.asMicroseconds() / 2) / BeatLength.asMicroseconds();
    if (at < -BeatLength / sf::Int64(2) || beat >= Beats)
        return;
    estimate.add(at - BeatLength * beat);
}
