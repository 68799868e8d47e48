#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

// A recording or input script the game cannot read. The message is one line naming the file and the line.
class ReplayFormatError : public std::runtime_error
{
public:
    ReplayFormatError(const std::string& file, std::size_t line, const std::string& what)
        : std::runtime_error(file + ": line " + std::to_string(line) + ": " + what)
        , line(line)
    {
    }

    std::size_t getLine() const { return line; }

private:
    std::size_t line;
};
