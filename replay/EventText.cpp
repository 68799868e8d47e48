#include "replay/EventText.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

struct Kind
{
    sf::Event::EventType type;
    const char* name;
};

const Kind Kinds[] = {
    {sf::Event::Closed, "closed"},
    {sf::Event::Resized, "resized"},
    {sf::Event::LostFocus, "lostfocus"},
    {sf::Event::GainedFocus, "gainedfocus"},
    {sf::Event::TextEntered, "text"},
    {sf::Event::KeyPressed, "keydown"},
    {sf::Event::KeyReleased, "keyup"},
    {sf::Event::MouseWheelMoved, "wheel"},
    {sf::Event::MouseWheelScrolled, "scroll"},
    {sf::Event::MouseButtonPressed, "mousedown"},
    {sf::Event::MouseButtonReleased, "mouseup"},
    {sf::Event::MouseMoved, "mousemove"},
    {sf::Event::MouseEntered, "mouseenter"},
    {sf::Event::MouseLeft, "mouseleave"},
    {sf::Event::JoystickButtonPressed, "joydown"},
    {sf::Event::JoystickButtonReleased, "joyup"},
    {sf::Event::JoystickMoved, "joymove"},
    {sf::Event::JoystickConnected, "joyconnect"},
    {sf::Event::JoystickDisconnected, "joydisconnect"},
    {sf::Event::TouchBegan, "touchbegin"},
    {sf::Event::TouchMoved, "touchmove"},
    {sf::Event::TouchEnded, "touchend"},
    {sf::Event::SensorChanged, "sensor"},
};

// The fields of an event in the order they are written; each is a whole number or a float.
class Fields
{
public:
    void whole(long long value) { words.push_back(std::to_string(value)); }
    void real(float value)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
        words.emplace_back(buffer);
    }
    std::vector<std::string> words;
};

// Reads fields back in the same order, checking each as it goes.
class FieldReader
{
public:
    explicit FieldReader(std::vector<std::string> fields)
        : words(std::move(fields))
    {
    }

    template <typename T>
    void whole(T& value, long long min, long long max)
    {
        if (next >= words.size())
        {
            ok = false;
            return;
        }
        const std::string& word = words[next++];
        char* end = nullptr;
        errno = 0;
        const long long read = std::strtoll(word.c_str(), &end, 10);
        if (word.empty() || *end != '\0' || errno != 0 || read < min || read > max)
            ok = false;
        else
            value = static_cast<T>(read);
    }
    void boolean(bool& value)
    {
        int read = 0;
        whole(read, 0, 1);
        value = read != 0;
    }
    void real(float& value)
    {
        if (next >= words.size())
        {
            ok = false;
            return;
        }
        const std::string& word = words[next++];
        char* end = nullptr;
        const float read = std::strtof(word.c_str(), &end);
        if (word.empty() || *end != '\0' || !std::isfinite(read))
            ok = false;
        else
            value = read;
    }
    bool finished() const { return ok && next == words.size(); }

private:
    std::vector<std::string> words;
    std::size_t next = 0;
    bool ok = true;
};

constexpr long long IntMin = -2147483647LL - 1;
constexpr long long IntMax = 2147483647LL;
constexpr long long UnsignedMax = 4294967295LL;

// One description of each kind's fields serves both directions.
template <typename Visitor>
void visitFields(sf::Event& event, Visitor& visit)
{
    switch (event.type)
    {
        case sf::Event::Resized:
            visit.whole(event.size.width, 0, UnsignedMax);
            visit.whole(event.size.height, 0, UnsignedMax);
            break;
        case sf::Event::TextEntered:
            visit.whole(event.text.unicode, 0, UnsignedMax);
            break;
        case sf::Event::KeyPressed:
        case sf::Event::KeyReleased:
            visit.whole(event.key.code, sf::Keyboard::Unknown, sf::Keyboard::KeyCount - 1);
            visit.boolean(event.key.alt);
            visit.boolean(event.key.control);
            visit.boolean(event.key.shift);
            visit.boolean(event.key.system);
            break;
        case sf::Event::MouseWheelMoved:
            visit.whole(event.mouseWheel.delta, IntMin, IntMax);
            visit.whole(event.mouseWheel.x, IntMin, IntMax);
            visit.whole(event.mouseWheel.y, IntMin, IntMax);
            break;
        case sf::Event::MouseWheelScrolled:
            visit.whole(event.mouseWheelScroll.wheel, 0, sf::Mouse::HorizontalWheel);
            visit.real(event.mouseWheelScroll.delta);
            visit.whole(event.mouseWheelScroll.x, IntMin, IntMax);
            visit.whole(event.mouseWheelScroll.y, IntMin, IntMax);
            break;
        case sf::Event::MouseButtonPressed:
        case sf::Event::MouseButtonReleased:
            visit.whole(event.mouseButton.button, 0, sf::Mouse::ButtonCount - 1);
            visit.whole(event.mouseButton.x, IntMin, IntMax);
            visit.whole(event.mouseButton.y, IntMin, IntMax);
            break;
        case sf::Event::MouseMoved:
            visit.whole(event.mouseMove.x, IntMin, IntMax);
            visit.whole(event.mouseMove.y, IntMin, IntMax);
            break;
        case sf::Event::JoystickButtonPressed:
        case sf::Event::JoystickButtonReleased:
            visit.whole(event.joystickButton.joystickId, 0, sf::Joystick::Count - 1);
            visit.whole(event.joystickButton.button, 0, sf::Joystick::ButtonCount - 1);
            break;
        case sf::Event::JoystickMoved:
            visit.whole(event.joystickMove.joystickId, 0, sf::Joystick::Count - 1);
            visit.whole(event.joystickMove.axis, 0, sf::Joystick::AxisCount - 1);
            visit.real(event.joystickMove.position);
            break;
        case sf::Event::JoystickConnected:
        case sf::Event::JoystickDisconnected:
            visit.whole(event.joystickConnect.joystickId, 0, sf::Joystick::Count - 1);
            break;
        case sf::Event::TouchBegan:
        case sf::Event::TouchMoved:
        case sf::Event::TouchEnded:
            visit.whole(event.touch.finger, 0, UnsignedMax);
            visit.whole(event.touch.x, IntMin, IntMax);
            visit.whole(event.touch.y, IntMin, IntMax);
            break;
        case sf::Event::SensorChanged:
            visit.whole(event.sensor.type, 0, sf::Sensor::Count - 1);
            visit.real(event.sensor.x);
            visit.real(event.sensor.y);
            visit.real(event.sensor.z);
            break;
        default:
            break;
    }
}

// The writing side of visitFields.
struct Writer
{
    Fields fields;
    template <typename T>
    void whole(const T& value, long long, long long)
    {
        fields.whole(static_cast<long long>(value));
    }
    void boolean(bool value) { fields.whole(value ? 1 : 0); }
    void real(float value) { fields.real(value); }
};

} // namespace

std::string eventText(const sf::Event& event)
{
    std::string text = "e:";
    for (const Kind& kind : Kinds)
        if (kind.type == event.type)
            text += kind.name;
    sf::Event copy = event;
    Writer writer;
    visitFields(copy, writer);
    for (const std::string& word : writer.fields.words)
        text += ":" + word;
    return text;
}

bool parseEvent(const std::string& text, sf::Event& event)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t colon = text.find(':', start);
        words.push_back(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (words.size() < 2 || words[0] != "e")
        return false;
    const Kind* found = nullptr;
    for (const Kind& kind : Kinds)
        if (words[1] == kind.name)
            found = &kind;
    if (!found)
        return false;
    event = sf::Event{};
    event.type = found->type;
    FieldReader reader(std::vector<std::string>(words.begin() + 2, words.end()));
    visitFields(event, reader);
    return reader.finished();
}
