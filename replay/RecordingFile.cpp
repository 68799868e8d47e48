#include "replay/RecordingFile.hpp"

#include "app/fileProblem.hpp"

#include <cerrno>
#include <cstring>
#include <utility>

RecordingFile::RecordingFile(std::string filePath)
    : path(std::move(filePath))
    , buffer(1 << 20)
{
    file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    errno = 0;
    file.open(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw RecordingFileError("Cannot create the recording \"" + path + "\": " + fileProblem(path, errno));
}

void RecordingFile::close()
{
    errno = 0;
    file.close();
    if (file.fail())
    {
        const int error = errno;
        throw RecordingFileError("Could not write the whole recording \"" + path + "\"" +
                                 (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
    }
}
