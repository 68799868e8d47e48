#pragma once

#include <string>
#include <vector>

// One line of a media source file, with its number kept for error messages.
struct SourceLine
{
    int number = 0;
    std::string text;               // the line without its trailing spaces
    std::vector<std::string> words; // split at blanks
};

// A readable media source: lines of words, where a line that starts with '#' is a comment and blank lines
// separate blocks. Grids are read verbatim by their owners, so a '#' inside a grid block is a pixel, not a comment.
class SourceText
{
public:
    explicit SourceText(const std::string& path);

    const std::string& path() const { return filePath; }
    const std::vector<SourceLine>& lines() const { return allLines; }

    static bool isComment(const SourceLine& line);
    static bool isBlank(const SourceLine& line) { return line.words.empty(); }

    // Stops the build with "path:line: message", so a typo in a source points at itself.
    [[noreturn]] void fail(const SourceLine& line, const std::string& message) const;
    [[noreturn]] void fail(const std::string& message) const;

    double number(const SourceLine& line, const std::string& word) const;
    int whole(const SourceLine& line, const std::string& word) const;

private:
    std::string filePath;
    std::vector<SourceLine> allLines;
};

// "key=value" words after the first few words of a line.
struct Setting
{
    std::string key;
    std::string value;
};
std::vector<Setting> settingsOf(const SourceText& source, const SourceLine& line, std::size_t firstWord);
