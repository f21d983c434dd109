// The skin author's checker, run on a command line: everything but the process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The checker's exit statuses; 64 and 73 are sysexits' usage and can't-create.
constexpr int exitClean = 0, exitWarnings = 1, exitNotLoaded = 2, exitUsage = 64, exitNoPreview = 73;

// args without the program's name; Allegro must be set up.
int runChecker(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
