// The checker's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "system/win32.h"

struct Options {
    bool help = false;
    std::string folder;
    std::string previewPath;         // empty: no preview
    std::optional<POINT> pointer;    // window coordinates; the window's centre when not given
};

// The --help text, in the user's language.
const char* usageText();

// args without the program's name. False, with the reason, for a command line that makes no sense.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
