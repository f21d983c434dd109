// The checker's findings in plain text for the skin author.
#pragma once

#include <ostream>
#include <string>

#include "checker/findings.h"

void printFindings(std::ostream& out, const std::string& folder, const Findings& findings);
