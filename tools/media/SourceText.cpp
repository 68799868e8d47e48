#include "SourceText.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

SourceText::SourceText(const std::string& path)
    : filePath(path)
{
    std::ifstream in(path);
    if (!in)
    {
        throw std::runtime_error(path + ": cannot be read");
    }
    std::string text;
    int number = 0;
    while (std::getline(in, text))
    {
        ++number;
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        {
            text.pop_back();
        }
        SourceLine line;
        line.number = number;
        line.text = text;
        std::istringstream words(text);
        for (std::string word; words >> word;)
        {
            line.words.push_back(word);
        }
        allLines.push_back(std::move(line));
    }
}

bool SourceText::isComment(const SourceLine& line)
{
    return !line.words.empty() && line.words.front()[0] == '#';
}

void SourceText::fail(const SourceLine& line, const std::string& message) const
{
    throw std::runtime_error(filePath + ":" + std::to_string(line.number) + ": " + message);
}

void SourceText::fail(const std::string& message) const
{
    throw std::runtime_error(filePath + ": " + message);
}

double SourceText::number(const SourceLine& line, const std::string& word) const
{
    std::size_t used = 0;
    double value = 0;
    try
    {
        value = std::stod(word, &used);
    }
    catch (const std::exception&)
    {
        used = 0;
    }
    if (used == 0 || used != word.size())
    {
        fail(line, "'" + word + "' is not a number");
    }
    return value;
}

int SourceText::whole(const SourceLine& line, const std::string& word) const
{
    const double value = number(line, word);
    if (value != static_cast<double>(static_cast<int>(value)))
    {
        fail(line, "'" + word + "' is not a whole number");
    }
    return static_cast<int>(value);
}

std::vector<Setting> settingsOf(const SourceText& source, const SourceLine& line, std::size_t firstWord)
{
    std::vector<Setting> settings;
    for (std::size_t i = firstWord; i < line.words.size(); ++i)
    {
        const std::string& word = line.words[i];
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == word.size())
        {
            source.fail(line, "expected key=value, found '" + word + "'");
        }
        settings.push_back({word.substr(0, equals), word.substr(equals + 1)});
    }
    return settings;
}
