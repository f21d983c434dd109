#include "app/command_line.h"
#include "app/winmain.h"

int main(int argc, char** argv)
{
    int status = 0;
    if (!handleCommandLine(argc, argv, &status))
        return status;
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
}
