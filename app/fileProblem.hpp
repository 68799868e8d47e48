#pragma once

#include <string>

// Why a file the player named could not be opened, in the system's words ("Permission denied", "No such file or
// directory"), from the error number the failed call left; "is a folder" when the path names one, whatever the
// call said.
std::string fileProblem(const std::string& path, int error);
