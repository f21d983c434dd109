// One face per folder: a second start in the same working folder shows no face
// of its own but asks the running one to come into view. Faces in other
// folders, each with its own eyes.ini, are separate.
#pragma once

#include "system/win32.h"

// Holds the folder for this face until releaseFolder; false when a face already
// holds it, which is then asked to come into view, and this start ends.
bool claimFolder();
void releaseFolder();
// The message the running face gets from a later start.
UINT comeIntoViewMessage();
