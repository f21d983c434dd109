// The program's command line: the conventional options only, no settings.
#pragma once

// Answers --help and --version on the standard output and refuses anything
// else with one line on the standard error (os/console.h). True when the
// program is to run; otherwise *status is the exit status to end with (0, or
// 64 for a wrong command line).
bool handleCommandLine(int argc, char** argv, int* status);
