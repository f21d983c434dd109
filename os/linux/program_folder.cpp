#include "os/program_folder.h"

bool enterProgramFolder()
{
    return true;
}
