// Text for the user on the standard output and error. On Windows a console is
// given the text as UTF-16, which it shows whole whatever its code page, while
// pipes and files get the UTF-8 bytes; a program of the Windows subsystem,
// which has no console of its own, writes to the console it was started from,
// or else shows the text in a message box.
#pragma once

#include <ostream>
#include <string>

enum class UserStream { output, error };

// Writes the text (UTF-8) at once, whole.
void writeToUser(UserStream stream, const std::string& text);

// The stream for code that writes as it goes: std::cout or std::cerr on Linux;
// on Windows one that writes each line as it is ended.
std::ostream& userStream(UserStream stream);
