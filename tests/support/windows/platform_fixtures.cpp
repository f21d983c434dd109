#include "support/fixtures.h"

std::string specialFile()
{
    return "NUL";
}

void freshDisplay() {}
