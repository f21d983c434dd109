// The working directory at any length, for paths built from it.
#pragma once

#include <string>

// False when it cannot be read (for example, it was deleted).
bool currentDirectory(std::string& directory);
