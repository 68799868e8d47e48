#pragma once

#include <SFML/Graphics/RenderTexture.hpp>

#include <string>

// The game's fixed settings. The folders are the media's layout in the build folder, relative to the working
// directory, each ending with a slash; the game finds its media folder at start (assets/MediaFolder.hpp).
constexpr int CANVAS_WIDTH = 300;
constexpr int CANVAS_HEIGHT = 200;
constexpr int WINDOW_WIDTH = 3 * CANVAS_WIDTH;
constexpr int WINDOW_HEIGHT = 3 * CANVAS_HEIGHT;

extern const std::string DATA_PATH;
extern const std::string RESOURCES_PATH;
extern const std::string IMAGES_PATH;
extern const std::string SOUNDS_PATH;
extern const std::string FONT_PATH;
extern const std::string TITLE;

// The one off-screen picture every frame is drawn into; the first screen gives it its size.
sf::RenderTexture& canvas();
