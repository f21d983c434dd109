// Where the running program's file lies, for entries that start it again.
#pragma once

#include <string>

// Empty when it cannot be found.
std::string executablePath();
