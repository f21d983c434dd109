#include "skin/allegro_setup.h"
#include "checker/checker.h"
#include "os/console.h"

int main(int argc, char** argv)
{
    setUpAllegro();
    return runChecker(std::vector<std::string>(argv + 1, argv + argc), userStream(UserStream::output),
                      userStream(UserStream::error));
}
