// Where the running program's file lies, for entries that start it again.
#pragma once

#include <string>

// Empty when it cannot be found.
std::string executablePath();
// Linux: the nearest share/<name> folder at or above the program's folder: the
// prefix's when installed (bin/../share/<name>), the build folder's in a build
// tree; empty when there is none.
std::string nearestShareFolder(const std::string& name);
