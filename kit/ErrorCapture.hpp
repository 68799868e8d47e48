#pragma once

#include <sstream>
#include <string>

namespace kit
{

// Sends SFML's error stream into a string for as long as it lives (also when what it wraps throws), so that a
// failure can be reported once, clearly, instead of as loose lines on the terminal.
class ErrorCapture
{
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    // Everything said so far, as said.
    std::string text() const { return captured.str(); }
    // Everything said so far on one line, without trailing white space.
    std::string line() const;

private:
    std::ostringstream captured;
    std::streambuf* previous;
};

} // namespace kit
