#include "support/fixtures.h"

void freshDisplay() {}
