#include "app/Settings.hpp"

const std::string DATA_PATH = "data/";
const std::string RESOURCES_PATH = "resources/";
const std::string IMAGES_PATH = RESOURCES_PATH + "images/";
const std::string SOUNDS_PATH = RESOURCES_PATH + "sounds/";
const std::string FONT_PATH = "resources/FreePixel.ttf";
const std::string TITLE = "Brindlewick";
