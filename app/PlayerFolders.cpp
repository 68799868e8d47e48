#include "app/PlayerFolders.hpp"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace
{

std::filesystem::path homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    // Started without HOME (from a service, say): the account's own home.
    if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir != nullptr)
        return account->pw_dir;
    return "/";
}

// A relative path in the variable is not one: the base directories are absolute, or the default applies.
std::filesystem::path baseFolder(const char* variable, const char* belowHome)
{
    if (const char* value = std::getenv(variable); value != nullptr)
    {
        std::filesystem::path folder(value);
        if (folder.is_absolute())
            return folder;
    }
    return homeFolder() / belowHome;
}

} // namespace

std::filesystem::path stateFolder()
{
    return baseFolder("XDG_STATE_HOME", ".local/state") / "brindlewick";
}

std::filesystem::path configFolder()
{
    return baseFolder("XDG_CONFIG_HOME", ".config") / "brindlewick";
}
