#include "os/tests/files.h"

std::string specialFile()
{
    return "NUL";
}
