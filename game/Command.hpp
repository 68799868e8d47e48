#pragma once

#include <string>

// A named request waiting on the command board for a beat that its code allows.
struct Command
{
    std::string name;
    int beatCode = 0;
    bool ready = false;
};
