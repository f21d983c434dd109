#include "headless/headless.h"
#include "support/fixtures.h"

void freshDisplay()
{
    headless::reset();
}
