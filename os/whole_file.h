// Small text files read whole and replaced whole, so that a crash, a full disk
// or a refused write never leaves a half-written file behind.
#pragma once

#include <string>

enum class FileRead { Ok, Missing, Failed };

// Only regular files up to a sane size are read; anything else is "failed",
// so a caller never rewrites a file whose content it could not see.
FileRead readWholeFile(const char* path, std::string& bytes);

// Writes a temporary file beside the target, syncs it and renames it over the
// target; on any failure the old file stays as it was and false is returned.
bool replaceFile(const std::string& path, const std::string& bytes);
