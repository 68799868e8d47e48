#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

// A file the player's file or a kept game cannot be written to, named with the system's reason, on one line.
class RecordingFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One file a recording is written to as the game goes. A megabyte of buffer holds a whole game, so the frames never
// wait for the disk.
class RecordingFile
{
public:
    // Creates (or empties) the file. Throws RecordingFileError.
    explicit RecordingFile(std::string path);
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    std::ostream& getStream() { return file; }
    const std::string& getPath() const { return path; }

    // Writes out what is buffered and closes the file. Throws RecordingFileError when the file could not be written
    // in full.
    void close();

private:
    std::string path;
    std::vector<char> buffer;
    std::ofstream file;
};
