// The skin author's checker, run on a command line: everything but the process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

enum CheckerExit {
    EXIT_CLEAN = 0,
    EXIT_WARNINGS = 1,
    EXIT_NOT_LOADED = 2,
    EXIT_USAGE = 64,
    EXIT_NO_PREVIEW = 73,
};

// args without the program's name; Allegro must be set up.
int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
