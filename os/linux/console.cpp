#include "os/console.h"

#include <cstdio>
#include <iostream>

void writeToUser(UserStream stream, const std::string& text)
{
    std::fputs(text.c_str(), stream == UserStream::output ? stdout : stderr);
}

std::ostream& userStream(UserStream stream)
{
    return stream == UserStream::output ? std::cout : std::cerr;
}
