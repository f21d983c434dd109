#include <iostream>

#include "skin/allegro_setup.h"
#include "checker/checker.h"

int main(int argc, char** argv)
{
    setUpAllegro();
    return runChecker(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
