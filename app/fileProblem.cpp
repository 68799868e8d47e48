#include "app/fileProblem.hpp"

#include <cstring>
#include <filesystem>

std::string fileProblem(const std::string& path, int error)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return "is a folder";
    return std::strerror(error);
}
