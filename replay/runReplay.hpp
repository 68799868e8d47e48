#pragma once

class DisplayConnection;
class MediaFolder;
struct Options;
struct PlayerSettings;
struct WindowMode;

// --replay FILE: watches a recording or script in the window in real time with its sound, or with --check plays it
// as fast as it goes, with no window and no sound. Prints one line for the first frame whose state differs, and
// where a recording cut short stopped. Returns the exit status: 0 all frames matched, 1 one did not, 2 a file it
// cannot read (one line naming the file and the line).
// A watch shows the game in a window of `mode` on the display, at most as often as the player's max_fps allows (the
// display's rate by default), and sounds at the player's volumes; the game plays by what the recording says, whatever
// the player's own settings.
int runReplay(const Options& options, const MediaFolder& media, const PlayerSettings& settings, const WindowMode& mode,
              const DisplayConnection& display);
