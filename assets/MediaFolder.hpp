#pragma once

#include <stdexcept>
#include <string>

// The folder that holds the game's media: images/, sounds/ and the font. A file's path is the folder's followed by
// the file's place in it, so a relative folder stays relative to the working directory the game was started in.
class MediaFolder
{
public:
    // resources/ in the working directory, as the build folder lays it out.
    MediaFolder();
    // A folder by its path; a slash is added at the end when it has none.
    explicit MediaFolder(std::string path);

    const std::string& getPath() const { return path; }
    // images/NAME.PNG (the extension is upper case, and so must the file's be).
    std::string image(const std::string& name) const;
    // sounds/FILE, for the short sounds (NAME.wav) and the music stems alike.
    std::string sound(const std::string& fileName) const;
    std::string font() const;

private:
    std::string path;
};

// Where the game may find its media, in the order it looks: the --data option, the BRINDLEWICK_DATA variable, the
// working directory, the data folder of the prefix the executable is installed in. Each of the first two names
// either the media folder itself or a folder whose resources/ it is.
struct MediaSearch
{
    std::string dataOption;  // --data DIR; empty when not given
    std::string environment; // BRINDLEWICK_DATA; empty when not set
    std::string executable;  // the game's own path; empty when unknown
};

// None of the places holds the media. The message is one line naming each place looked in.
class MediaNotFound : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The first place of the search that holds the media (a folder with images/ and sounds/ in it): whether each file
// is there and whole is for the loading to say, with the file's name. A folder the player named that holds none
// is passed over, and `passedOver` says so in one line (it is empty when nothing was). Throws MediaNotFound.
MediaFolder findMediaFolder(const MediaSearch& search, std::string& passedOver);

// The search as this process sees it: the option, the environment variable and /proc/self/exe.
MediaSearch mediaSearchFor(const std::string& dataOption);
