#pragma once

#include <stdexcept>
#include <string>

namespace kit
{

// Raised by the resource cache when a key's loader gives nothing back.
class ResourceLoadingException : public std::runtime_error
{
public:
    explicit ResourceLoadingException(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace kit
