#include "kit/ErrorCapture.hpp"

#include <SFML/System/Err.hpp>

namespace kit
{

ErrorCapture::ErrorCapture()
    : previous(sf::err().rdbuf(captured.rdbuf()))
{
}

ErrorCapture::~ErrorCapture()
{
    sf::err().rdbuf(previous);
}

std::string ErrorCapture::line() const
{
    std::string said = captured.str();
    const auto end = said.find_last_not_of(" \t\r\n");
    said.erase(end == std::string::npos ? 0 : end + 1);
    for (char& c : said)
        if (c == '\n' || c == '\r')
            c = ' ';
    return said;
}

} // namespace kit
