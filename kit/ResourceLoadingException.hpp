#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace kit
{

// Raised by the resource cache when a key's loader gives nothing back. The message is the fixed one-line form
// "Failed to load resource "<description>""; what the loader said about the failure, if anything, is the reason.
class ResourceLoadingException : public std::runtime_error
{
public:
    explicit ResourceLoadingException(const std::string& message, std::string why = "")
        : std::runtime_error(message)
        , reason(std::move(why))
    {
    }

    const std::string& getReason() const { return reason; }

private:
    std::string reason;
};

} // namespace kit
